#pragma once
// The main window: a view of the one button document with its tool bars,
// menus, the preview, the "Button" page (size, work-area colour, border) and
// the "Layers" page (the layer list).
//
// The window never holds document state of its own: the spin edits, the
// work-area combo, the border box, the layer list and the caption all show
// the ButtonDocument and write the user's changes back into it. Every change
// of the size, work-area colour or border runs the render pass, which does
// nothing while the document is loading.
//
// The implementation is split by concern: main_form.cpp (construction and
// creation), main_view.cpp (the document binding and the preview),
// main_file.cpp (file, export and help commands), main_layers.cpp (the layer
// commands and their enabling rules) and main_editors.cpp (the commands that
// run the layer editor dialogs).

#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "commands/file_commands.h"
#include "desktop/file_type_registration.h"
#include "document/button_document.h"
#include "document/document_observer.h"
#include "render/button_renderer.h"

class QAction;
class QCheckBox;
class QFrame;
class QLabel;
class QMenu;
class QPushButton;
class QSplitter;
class QStatusBar;
class QTabWidget;
class QToolBar;
class QToolButton;
class QTreeView;
class QWidget;

namespace vorbel {
class SpinEdit;
class TFnpComboColor;
}  // namespace vorbel

namespace vorbel::ui {

class LayerListModel;
class PreviewBox;
class UpDownButton;
class HelpViewer;
class TfrmSplash;
class TAboutBox;

// The editor dialogs; each is created once at start-up (CreateDialogs) and
// reused. Their classes live in their own units.
class TfrmNew;
class TfrmBackProp;
class TfrmText;
class TfrmBevel;
class TfrmImage;
class TfrmNewValue;

// What the main window takes from its surroundings. The defaults are those of
// the running program; tests replace them.
struct MainFormOptions {
  // The program's arguments after the program name; the first one names a
  // layout file to open at start-up.
  QStringList arguments;
  // The program that the desktop starts to open layout files (the launcher).
  // Empty: the running program file.
  QString programPath;
  // The folder the relative help file name is looked up in; empty: the
  // current working directory.
  QString workingDirectory;
  // The folder of the program file; empty: the folder of programPath.
  QString programDirectory;
  // Where an installed program keeps its shared data (<prefix>/share/vorbel);
  // empty: derived from programDirectory.
  QString sharedDataDirectory;
  // The data home the file type is registered under; empty: the user's
  // ($XDG_DATA_HOME or ~/.local/share).
  std::string dataHome;
  // Starts the desktop database tools after a registration; empty: detached.
  desktop::CommandRunner commandRunner;
  // False leaves out the file-type registration (tests of other behaviour).
  bool registerFileType = true;
};

class TMainForm : public QMainWindow, private document::DocumentObserver, private commands::FileDialogs {
  Q_OBJECT

 public:
  explicit TMainForm(MainFormOptions options = {}, QWidget* parent = nullptr);
  ~TMainForm() override;

  document::ButtonDocument& Document() { return doc_; }
  const document::ButtonDocument& Document() const { return doc_; }
  render::ButtonRenderer& Renderer() { return renderer_; }

  // One render pass over the document; shows the result in the preview.
  // Does nothing while the document is loading.
  render::RenderResult RenderButton();

  // The document's file name as the caption records it.
  std::string GetDocumentFileName() const { return doc_.GetDocumentFileName(); }

  // Help context numbers of the window and of the layer list.
  static constexpr int kHelpContext = 1;
  static constexpr int kLayerListHelpContext = 10;

  // The help file found at creation ("" when there is none).
  const QString& HelpFile() const { return help_file_; }

  // Creates the editor dialogs in their start-up order: frmNew, frmBackProp,
  // frmText, frmBevel, frmImage, frmNewValue. Each lives as long as the window.
  void CreateDialogs();

  // The splash window while one exists (start-up or About), else null.
  TfrmSplash* Splash() const;
  void SetSplash(TfrmSplash* splash);

  // ---- controls (named as the window's layout names them) ----
  QToolBar* ToolBar1 = nullptr;
  QToolBar* ToolBar2 = nullptr;
  QWidget* pnlOffset = nullptr;
  QPushButton* btnLeft = nullptr;
  UpDownButton* sbtnX = nullptr;
  QPushButton* btnTop = nullptr;
  UpDownButton* sbtnY = nullptr;
  QFrame* pnlPreview = nullptr;
  PreviewBox* pbxPreview = nullptr;
  QSplitter* Splitter1 = nullptr;
  QWidget* Panel3 = nullptr;
  QTabWidget* PageControl1 = nullptr;
  QWidget* tbshtButton = nullptr;
  QWidget* tbshtLayers = nullptr;
  QStatusBar* StatusBar1 = nullptr;

  QLabel* Label7 = nullptr;
  SpinEdit* sedtHeight = nullptr;
  QLabel* Label8 = nullptr;
  SpinEdit* sedtWidth = nullptr;
  QLabel* Label11 = nullptr;
  TFnpComboColor* cclrWorkArea = nullptr;
  QCheckBox* cbxBorder = nullptr;
  QPushButton* btnRandomize = nullptr;

  QTreeView* lvItems = nullptr;
  LayerListModel* lvItemsModel = nullptr;

  // Tool buttons of ToolBar1, as actions.
  QAction* tbtnNew = nullptr;
  QAction* tbtnOpen = nullptr;
  QAction* tbtnSave = nullptr;
  QAction* tbtnExport = nullptr;
  QAction* btnRefresh = nullptr;
  QAction* tbtnUp = nullptr;
  QAction* tbtnDown = nullptr;
  QAction* tbtnAddLayer = nullptr;
  QAction* tbtnDeleteLayer = nullptr;

  // Main menu.
  QMenu* File1 = nullptr;
  QAction* New1 = nullptr;
  QAction* Open1 = nullptr;
  QAction* Save1 = nullptr;
  QAction* Saveas1 = nullptr;
  QAction* Export1 = nullptr;
  QAction* Exit1 = nullptr;
  QMenu* Layer1 = nullptr;
  QAction* New2 = nullptr;
  QAction* Delete1 = nullptr;
  QAction* Moveup1 = nullptr;
  QAction* Movedown1 = nullptr;
  QAction* Refresh1 = nullptr;
  QMenu* Help1 = nullptr;
  QAction* Contents1 = nullptr;
  QAction* Search1 = nullptr;
  QAction* About1 = nullptr;

  // Popup menu of the layer list.
  QMenu* pmnuLayers = nullptr;
  QAction* Edit1 = nullptr;
  QAction* Add1 = nullptr;
  QAction* Delete2 = nullptr;
  QAction* Togglevisiblity1 = nullptr;

  // The editor dialogs (null until CreateDialogs made them).
  TfrmNew* frmNew = nullptr;
  TfrmBackProp* frmBackProp = nullptr;
  TfrmText* frmText = nullptr;
  TfrmBevel* frmBevel = nullptr;
  TfrmImage* frmImage = nullptr;
  TfrmNewValue* frmNewValue = nullptr;

  // The second about window: made at start-up, never shown by a command.
  QPointer<TAboutBox> AboutBox;

  // The last names chosen in the three file dialogs; each starts from its own.
  QString OpenDialogFileName;
  QString SaveVRBDialogFileName;
  QString SaveDialogFileName;

 public slots:
  // ---- window, file and view commands ----
  void ButtonSizeChange();
  void cbxBorderClick();
  void btnRefreshClick();
  void Refresh1Click();
  void tbtnNewClick();
  void tbtnOpenClick();
  void tbtnSaveClick();
  void Saveas1Click();
  void tbtnExportClick();
  void Export1Click();
  void Exit1Click();
  void About1Click();
  void Contents1Click();
  void Search1Click();
  // F1: the help topic of the layer list while it has the focus, otherwise
  // that of the main window.
  void ContextHelp();

  // ---- layer commands (main_layers.cpp) ----
  void tbtnDeleteLayerClick();
  void tbtnUpClick();
  void tbtnDownClick();
  void Togglevisiblity1Click();
  void sbtnXUpClick();
  void sbtnXDownClick();
  void sbtnYUpClick();
  void sbtnYDownClick();
  void lvItemsChange();
  void pmnuLayersPopup();
  void Layer1Click();

  // ---- commands that run the editor dialogs (main_editors.cpp) ----
  void tbtnAddLayerClick();
  void lvItemsDblClick();
  void Edit1Click();
  void btnLeftClick();
  void btnTopClick();
  void btnRandomizeClick();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  friend class PreviewBox;

  // Construction (main_form.cpp).
  void BuildActions();
  void BuildMenus();
  void BuildToolBars();
  void BuildPages();
  void BuildLayerList();
  void FormCreate();
  void FindHelpFile();
  void RegisterLayoutFileType();

  // The document binding and the preview (main_view.cpp).
  void BindDocument();
  void ShowSettings();
  void ShowPreview(render::RenderResult result);
  void SettingsChanged(document::DocumentSetting setting) override;
  void RowInserted(int row) override;
  void RowRemoved(int row) override;
  void RowsExchanged(int first) override;
  void RowChanged(int row) override;
  void RowsReset() override;
  void SelectionChanged(int previous, int current) override;
  void SelectListRow(int row);
  void UpdateGradientPictureSize();

  // The offset step of the layer commands (main_layers.cpp).
  void StepOffset(int sub_item, int delta);
  // The editor commands (main_editors.cpp). The start-up sequence creates the
  // dialogs right after the window; a window made without it gets them on the
  // first command that needs one.
  void EnsureDialogs();
  // Sets the selected row's Left or Top through the value prompt.
  void AskOffset(int sub_item);
  // Runs a command and shows any error it raises in the error box; the
  // program goes on.
  void Guarded(const std::function<void()>& command);

  // Loads a layout file under the hourglass cursor (main_file.cpp).
  void LoadLayoutFile(const std::string& fileName);

  // FileDialogs (main_file.cpp): the layout open and save choosers.
  std::optional<std::string> OpenDialog() override;
  std::optional<std::string> SaveVRBDialog() override;

  // The help viewer, made on first use and kept.
  HelpViewer* Viewer();

  MainFormOptions options_;
  document::ButtonDocument doc_;
  document::DocumentSubscription doc_subscription_;
  render::ButtonRenderer renderer_;
  commands::FileCommands commands_;
  QString help_file_;
  QPointer<HelpViewer> help_viewer_;
  QPointer<TfrmSplash> frmSplash;
  bool syncing_ = false;  // true while the controls are being set from the document
};

}  // namespace vorbel::ui
