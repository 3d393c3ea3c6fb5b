// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window: the toolbar with the formula box and the coordinate read-out, the drawing
// panel with the picture, the main menu, and the commands that build, save, copy and clear
// the graph and open the dialogs and help.
#include <QByteArray>
#include <QMainWindow>
#include <QPoint>
#include <QSize>
#include <functional>

#include "buildgraph.h"
#include "field.h"
#include "fielddescription.h"
#include "formulafault.h"
#include "picturenavigator.h"
#include "plotstate.h"

class QAction;
class QFileDialog;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QToolButton;
class QUndoStack;

namespace kurvanto {

class GraphList;
class ParameterRoom;
class PointsPanel;
class PictureBox;
class Tracer;

class TForm1 : public QMainWindow, private BuildGraphHost {
    Q_OBJECT
  public:
    // Where the start-up check learns the screen's size in pixels.
    using ScreenSizeProvider = std::function<QSize()>;
    static QSize PrimaryScreenSize();

    explicit TForm1(PlotState &state, ScreenSizeProvider screenSize = PrimaryScreenSize,
                    QWidget *parent = nullptr);
    ~TForm1() override;

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
    void N40Click(); // points of interest

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
    void fitY();     // YMin and YMax to the visible curves (tform1trace.cpp)
    void showValueTable();

    // Annotation of the picture.
    void nasec();
    void ugolok();
    void nadpis();
    void printField(); // "Печать...": the field as vectors on a printer

    PlotState &state() { return state_; }
    Field &field() { return field_; }
    const Canvas &canvas() const { return field_.canvas(); }
    const DisplayList &displayList() const { return field_.displayList(); }
    const FieldOptions &fieldOptions() const { return field_.options(); }
    const ViewRanges &homeRanges() const { return field_.homeRanges(); }

    // Worksheets (worksheetcommands.cpp). Open and the saves report their faults in a message
    // and return false then, or when the user cancelled.
    bool openSheet(const QString &path);
    bool saveSheet();
    bool saveSheetAs();
    bool saveSheetTo(const QString &path);
    QString sheetPath() const { return sheetPath_; }
    bool sheetChanged() const;
    // Before a worksheet that changed since it was opened or saved is closed or replaced:
    // Сохранить / Не сохранять / Отмена. True when the work may go on.
    bool askToSaveSheet();

    // Undo and redo (tform1undo.cpp): a step on the field that undo takes back.
    QUndoStack *undoStack() const { return undo_; }
    GraphList *graphList() const { return graphList_; }
    ParameterRoom *parameterRoom() const { return parameterRoom_; }
    PointsPanel *pointsPanel() const { return pointsPanel_; }
    void recordStep(const QString &text, const std::function<void()> &action);

    // The picture in words, as a screen reader hears it (tform1access.cpp); the notes add
    // lines under each build.
    QString pictureDescription() const;
    void setPictureNotes(BuildNotes notes);
    void notePointsInDescription();

  signals:
    // The picture's words changed; a screen reader has been told.
    void pictureDescribed(const QString &text);

  protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

  private:
    // What the build run asks of the window.
    void askInterval() override;
    void setErrorLabelVisible(bool visible) override;
    void showReadoutLabels() override;

    // The widgets (tform1widgets.cpp) and the menu (tform1menu.cpp).
    void createToolbar();
    void createToolbarButtons();
    void createFormulaBox();
    void createReadout();
    void createDrawingPanel();
    void connectPicture();
    void createMenu();
    void createFileMenu();
    void createEditMenu();
    void createOptionsMenu();
    void createViewKeys();
    void createGraphMenu();
    void createHelpMenu();
    void createSaveDialog();
    QToolButton *createButton(const char *name, const QRect &geometry, const QString &glyph,
                              const QString &hint);
    QLabel *createLabel(QWidget *parent, const char *name, const QString &text, QPoint position);
    QMenu *addMenu(const char *name, const QString &title);
    QAction *addItem(QMenu *menu, const char *name, const QString &text);
    void addSeparator(QMenu *menu, const char *name);
    QAction *addOption(QMenu *menu, const char *name, const QString &text, bool on,
                       void (TForm1::*handler)());

    void setReadoutLabelsVisible(bool visible);
    void savePicture(const QString &fileName, const QString &filter);
    void toggleOption(bool FieldOptions::*option, QAction *item, const char *key);
    void redrawField();

    // Worksheets, undo and the list of graphs.
    void createSheetMenu();
    void updateRecentSheets();
    void showSheetOptions();
    void updateCaption();
    void createUndo();
    void routeStepsThroughUndo();
    void routeLabelsThroughUndo();
    void viewStep();
    void stepShown();
    void createViewMenu();
    void createPointsPanel(QMenu *view);
    void refreshPointsPanel();
    void connectGraphList();
    void createTraceItems();

    // Accessibility (tform1access.cpp).
    void nameControls();
    void describePicture(); // after every change of the field
    void createDescriptionItem(QMenu *view);
    void showPictureDescription();

    // The picture's place in the drawing panel, and its border there on both sides.
    static constexpr QPoint kImage1Position{8, 8};
    static constexpr int kPanelMargin = 16;

    PlotState &state_;
    ScreenSizeProvider screen_size_;
    Field field_;
    PictureNavigator navigator_;
    FormulaFaultDisplay formulaFault_;
    bool shown_ = false;
    bool buildRefused_ = false; // the last build showed the error label

    QFrame *Panel2 = nullptr;
    QToolButton *SpeedButton1 = nullptr, *SpeedButton2 = nullptr, *SpeedButton3 = nullptr;
    QToolButton *SpeedButton4 = nullptr, *SpeedButton5 = nullptr, *SpeedButton6 = nullptr;
    QToolButton *SpeedButton7 = nullptr;
    QLabel *Label1 = nullptr, *Label3 = nullptr, *Label4 = nullptr, *Label5 = nullptr;
    QLabel *Label6 = nullptr;
    QLineEdit *Edit1 = nullptr;
    QLabel *Label7 = nullptr; // the hint line under Edit1
    QFrame *Panel1 = nullptr;
    PictureBox *Image1 = nullptr;
    QLabel *Label2 = nullptr;
    QAction *N19 = nullptr;
    QAction *N22 = nullptr, *N23 = nullptr, *N24 = nullptr, *N25 = nullptr;
    QFileDialog *SaveDialog1 = nullptr;

    QString sheetPath_;    // the worksheet opened or saved in this session
    Worksheet sheetSaved_; // ... as it was then
    QMenu *fileMenu_ = nullptr;
    QList<QAction *> recentItems_;
    QUndoStack *undo_ = nullptr;
    bool stepping_ = false; // inside a step: what it does is part of it
    ViewRanges shownView_;  // the ranges of the last step shown
    GraphList *graphList_ = nullptr;
    Tracer *tracer_ = nullptr;
    ParameterRoom *parameterRoom_ = nullptr;
    friend class ParameterRoom;
    PointsPanel *pointsPanel_ = nullptr;
    bool pointChosen_ = false; // a row of the points panel is ringed on the field
    QAction *N40 = nullptr;
    BuildNotes pictureNotes_;
    std::size_t describedHash_ = 0; // of the words a screen reader was last told
};

} // namespace kurvanto
