// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window: the toolbar with the formula box and the coordinate read-out, the drawing
// panel with the picture, the main menu, and the commands that build, save, copy and clear
// the graph and open the dialogs and help.
#include <QMainWindow>
#include <QSize>
#include <functional>

#include "buildgraph.h"
#include "canvas.h"
#include "displaylist.h"
#include "plotstate.h"
#include "view.h"

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
    void N22Click(); // grid
    void N23Click(); // numbers on the axes
    void N24Click(); // breaks
    void N25Click(); // legend

    // The picture under the mouse, in picture pixels.
    void Image1MouseMove(Qt::KeyboardModifiers shift, int x, int y);
    void Image1MouseDown(Qt::MouseButton button, int x, int y);
    void Image1MouseUp(Qt::MouseButton button, int x, int y);
    void Image1Drag(int x, int y);
    void Image1Wheel(double x, double y, int eighths);
    void Image1ViewKey(int key);

    // The view: each step changes the ranges and draws the field again on them.
    void zoomAbout(double pixelX, double pixelY, double factor);
    void zoomIn();
    void zoomOut();
    void moveView(double dxPixels, double dyPixels);
    void homeView(); // the ranges the properties dialog last applied

    // Annotation of the picture.
    void nasec();
    void ugolok();
    void nadpis();
    void printField(); // "Печать...": the field as vectors on a printer

    PlotState &state() { return state_; }
    const Canvas &canvas() const { return canvas_; }
    const DisplayList &displayList() const { return displayList_; }
    const FieldOptions &fieldOptions() const { return options_; }
    const ViewRanges &homeRanges() const { return home_; }

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
    void savePicture(const QString &fileName, const QString &filter);
    QAction *addOption(QMenu *menu, const char *name, const QString &text, bool on,
                       void (TForm1::*handler)());
    void toggleOption(bool FieldOptions::*option, QAction *item, const char *key);
    void viewChanged();
    bool recordLabelClick(Qt::MouseButton button, int x, int y, const PlotState &before);
    // The grid, the numbers or the legend: what a build or a mark drawn straight onto the field
    // would leave different from the field drawn again.
    bool overlaysOn() const { return options_.grid || options_.numbers || options_.legend; }
    void redrawField();

    PlotState &state_;
    ScreenSizeProvider screen_size_;
    Canvas canvas_;
    bool shown_ = false;
    bool buildRefused_ = false; // the last build showed the error label
    bool faultShown_ = false;   // the formula box's tool tip names a fault

    DisplayList displayList_; // what is on the field, to draw it again
    FieldOptions options_;
    ViewRanges home_;       // where Home returns
    bool leftDown_ = false; // the left button went down on the picture, no label armed
    bool dragging_ = false; // ... and the mouse has moved since
    QPoint pressedAt_;
    QPoint pointer_;           // the last pointer position over the picture
    bool pointerOver_ = false; // ... and the pointer is still there
    ViewRanges dragFrom_;

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
    QAction *N22 = nullptr, *N23 = nullptr, *N24 = nullptr, *N25 = nullptr;
    QFileDialog *SaveDialog1 = nullptr;
};

} // namespace kurvanto
