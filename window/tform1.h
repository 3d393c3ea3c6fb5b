#pragma once
// The main window: the toolbar with the formula box and the coordinate read-out, the drawing
// panel with the picture, the main menu, and the commands that build, save, copy and clear
// the graph and open the dialogs and help.
#include <QMainWindow>
#include <QSize>
#include <functional>

#include "buildgraph.h"
#include "canvas.h"
#include "plotstate.h"

class QAction;
class QFileDialog;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QToolButton;

namespace kurvanto {

class PictureBox;

class TForm1 : public QMainWindow, private BuildGraphHost {
    Q_OBJECT
  public:
    // Where the start-up check learns the screen's size in pixels.
    using ScreenSizeProvider = std::function<QSize()>;
    static QSize PrimaryScreenSize();

    explicit TForm1(PlotState &state, ScreenSizeProvider screenSize = PrimaryScreenSize,
                    QWidget *parent = nullptr);

    // Creation and activation.
    void FormCreate();
    void FormActivate();
    void check(QSize screen);

    // Toolbar commands.
    void SpeedButton1Click(); // save
    void SpeedButton2Click(); // copy
    void SpeedButton3Click(); // properties
    void SpeedButton4Click(); // build
    void SpeedButton5Click(); // clear field
    void SpeedButton6Click(); // help
    void SpeedButton7Click(); // annotation

    // Menu commands.
    void N2Click() { SpeedButton1Click(); }
    void N4Click();
    void N6Click() { SpeedButton2Click(); }
    void N8Click() { SpeedButton3Click(); }
    void N10Click() { SpeedButton6Click(); }
    void N12Click();
    void N14Click() { SpeedButton4Click(); }
    void N16Click() { SpeedButton5Click(); }
    void N17Click();
    void N19Click();

    // The picture under the mouse, in picture pixels.
    void Image1MouseMove(Qt::KeyboardModifiers shift, int x, int y);
    void Image1MouseDown(Qt::MouseButton button, int x, int y);

    // Annotation of the picture.
    void nasec();
    void ugolok();
    void nadpis();

    PlotState &state() { return state_; }
    const Canvas &canvas() const { return canvas_; }

  protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

  private:
    // What the build run asks of the window.
    void askInterval() override;
    void setErrorLabelVisible(bool visible) override;
    void showReadoutLabels() override;

    void createToolbar();
    void createDrawingPanel();
    void createMenu();
    void createSaveDialog();
    QToolButton *createButton(const char *name, const QRect &geometry, const QString &glyph,
                              const QString &hint);
    QLabel *createLabel(QWidget *parent, const char *name, const QString &text, QPoint position);
    QAction *addItem(QMenu *menu, const char *name, const QString &text);
    void addSeparator(QMenu *menu, const char *name);
    void setReadoutLabelsVisible(bool visible);
    void pointAtFormulaFault(const QString &typed);
    void forgetFormulaFault();
    void savePicture(const QString &fileName);

    PlotState &state_;
    ScreenSizeProvider screen_size_;
    Canvas canvas_;
    bool shown_ = false;
    bool buildRefused_ = false; // the last build showed the error label
    bool faultShown_ = false;   // the formula box's tool tip names a fault

    QFrame *Panel2 = nullptr;
    QToolButton *SpeedButton1 = nullptr, *SpeedButton2 = nullptr, *SpeedButton3 = nullptr;
    QToolButton *SpeedButton4 = nullptr, *SpeedButton5 = nullptr, *SpeedButton6 = nullptr;
    QToolButton *SpeedButton7 = nullptr;
    QLabel *Label1 = nullptr, *Label3 = nullptr, *Label4 = nullptr, *Label5 = nullptr;
    QLabel *Label6 = nullptr;
    QLineEdit *Edit1 = nullptr;
    QFrame *Panel1 = nullptr;
    PictureBox *Image1 = nullptr;
    QLabel *Label2 = nullptr;
    QAction *N19 = nullptr;
    QFileDialog *SaveDialog1 = nullptr;
};

} // namespace kurvanto
