// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Icons and type names for the file dialogs, taken from the names alone. The toolkit's own
// provider reads a file's first bytes to tell its type when the name does not, and some
// files never answer a read (/proc/kmsg blocks its reader): a dialog showing such a folder
// would freeze. This one never opens a file.
#include <QFileIconProvider>
#include <QIcon>

class QFileDialog;

namespace kurvanto {

class NameOnlyIconProvider : public QFileIconProvider {
  public:
    NameOnlyIconProvider();

    QIcon icon(IconType type) const override;
    QIcon icon(const QFileInfo &info) const override;
    QString type(const QFileInfo &info) const override;

  private:
    // Made once on the interface thread: the dialog's model also asks from its own thread.
    QIcon computer_, drive_, folder_, file_;
};

// Gives the dialog a NameOnlyIconProvider that lives as long as the dialog.
void UseNameOnlyIcons(QFileDialog &dialog);

} // namespace kurvanto
