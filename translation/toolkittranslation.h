// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The toolkit's own dialogs (the file and colour choosers, the buttons of message boxes) in
// Russian whatever the system's locale: Qt's Russian translation, our words for what it lacks,
// and Russian names of file types. Dates and numbers in those dialogs keep following the
// system's locale.
#include <QTranslator>

namespace kurvanto {

// The words of Qt's dialogs that its Russian translation (Qt 6.4) leaves in English; every
// other text passes on to the translators installed before it.
class MissingToolkitWords : public QTranslator {
    Q_OBJECT
  public:
    using QTranslator::QTranslator;
    QString translate(const char *context, const char *sourceText,
                      const char *disambiguation = nullptr, int n = -1) const override;
    bool isEmpty() const override { return false; }
};

// Installs both translators for its lifetime (ours after Qt's, so that ours is asked first)
// and makes Russian the language of the default locale, which names the file types.
class ToolkitTranslation {
  public:
    ToolkitTranslation();
    ~ToolkitTranslation();
    ToolkitTranslation(const ToolkitTranslation &) = delete;
    ToolkitTranslation &operator=(const ToolkitTranslation &) = delete;

    // Whether Qt's Russian translation was found (qt6-translations-l10n).
    bool toolkitTranslationLoaded() const { return toolkitLoaded_; }

  private:
    QTranslator toolkit_;
    MissingToolkitWords missing_;
    bool toolkitLoaded_ = false;
};

} // namespace kurvanto
