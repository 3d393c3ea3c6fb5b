// SPDX-License-Identifier: GPL-3.0-or-later
// The main window for a screen reader: the names of its controls, the picture as a chart told
// in words, and "Вид → Описание поля", which shows the same words in a dialog.
#include <QAccessible>
#include <QAccessibleWidget>
#include <QAction>
#include <QClipboard>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMetaMethod>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "graphlist.h"
#include "picturebox.h"
#include "tform1.h"
#include "uiseam.h"

namespace kurvanto {

namespace {

const QString kPictureName = QStringLiteral("Поле графика");
const QString kDescriptionTitle = QStringLiteral("Описание поля");

// The picture is a chart to a screen reader; its words, made when asked for, are its
// description, so that a long list of builds is not kept twice.
class PictureAccessible : public QAccessibleWidget {
  public:
    explicit PictureAccessible(QWidget *picture) : QAccessibleWidget(picture, QAccessible::Chart) {}
    QString text(QAccessible::Text t) const override {
        const auto *form = qobject_cast<const TForm1 *>(widget()->window());
        if (t == QAccessible::Description && form)
            return form->pictureDescription();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface *MakePictureAccessible(const QString &, QObject *object) {
    if (auto *picture = qobject_cast<PictureBox *>(object))
        return new PictureAccessible(picture);
    return nullptr;
}

} // namespace

void TForm1::nameControls() {
    static const bool installed = [] {
        QAccessible::installFactory(MakePictureAccessible);
        return true;
    }();
    Q_UNUSED(installed);
    for (QToolButton *button : {SpeedButton1, SpeedButton2, SpeedButton3, SpeedButton4,
                                SpeedButton5, SpeedButton6, SpeedButton7})
        button->setAccessibleName(button->toolTip());
    Edit1->setAccessibleName(QStringLiteral("Формула"));
    Label3->setAccessibleName(QStringLiteral("Координата X"));
    Label4->setAccessibleName(QStringLiteral("Координата Y"));
    Panel2->setAccessibleName(QStringLiteral("Панель инструментов"));
    Panel1->setAccessibleName(QStringLiteral("Панель поля"));
    Image1->setAccessibleName(kPictureName);
    Image1->setFocusPolicy(Qt::StrongFocus); // Tab reaches it as well as a click
    describePicture();
}

QString TForm1::pictureDescription() const {
    return DescribeField(state_, field_.displayList(), pictureNotes_);
}

void TForm1::setPictureNotes(BuildNotes notes) {
    pictureNotes_ = std::move(notes);
    describePicture();
}

// A screen reader hears of a change of the words only when they did change; only their hash
// is kept. With no screen reader and no one else listening, the words are not made at all.
void TForm1::describePicture() {
    if (!QAccessible::isActive() &&
        !isSignalConnected(QMetaMethod::fromSignal(&TForm1::pictureDescribed)))
        return;
    const QString text = pictureDescription();
    const std::size_t hash = qHash(text);
    if (hash == describedHash_)
        return;
    describedHash_ = hash;
    QAccessibleEvent changed(Image1, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&changed);
    emit pictureDescribed(text);
}

void TForm1::createDescriptionItem(QMenu *view) {
    QAction *item = addItem(view, "N50", kDescriptionTitle + QStringLiteral("..."));
    item->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
    connect(item, &QAction::triggered, this,
            [this] { RunCommand(this, [this] { showPictureDescription(); }); });
}

// The words in a box whose text can be selected and copied, whole with "Копировать".
void TForm1::showPictureDescription() {
    QDialog dialog(this);
    dialog.setObjectName(QStringLiteral("DescriptionDialog"));
    dialog.setWindowTitle(kDescriptionTitle);
    auto *text = new QPlainTextEdit(pictureDescription(), &dialog);
    text->setObjectName(QStringLiteral("DescriptionText"));
    text->setAccessibleName(kDescriptionTitle);
    text->setReadOnly(true);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, &dialog);
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("Закрыть"));
    QPushButton *copy =
        buttons->addButton(QStringLiteral("Копировать"), QDialogButtonBox::ActionRole);
    copy->setObjectName(QStringLiteral("CopyDescription"));
    connect(copy, &QPushButton::clicked, &dialog,
            [text] { QGuiApplication::clipboard()->setText(text->toPlainText()); });
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(text);
    layout->addWidget(buttons);
    dialog.resize(480, 280);
    text->setFocus();
    ExecDialog(dialog);
}

} // namespace kurvanto
