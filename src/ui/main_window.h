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
// The implementation is split by concern: main_window.cpp (construction and
// creation), main_window_view.cpp (the document binding and the preview),
// main_window_file.cpp (file, export and help commands),
// main_window_layers.cpp (the layer commands and their enabling rules),
// main_window_editors.cpp (the commands that run the layer editor dialogs) and
// main_window_edit.cpp (undo and redo, the zoom, drag and drop, closing).
//
// Every change of the document is a step of its undo history; the title
// marks a document that differs from its file, and New, Open, a dropped
// layout, a recent file and closing the window ask before such a document is
// given up.

#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "commands/file_commands.h"
#include "commands/layer_commands.h"
#include "commands/recent_files.h"
#include "desktop/file_type_registration.h"
#include "document/button_document.h"
#include "document/document_history.h"
#include "document/document_observer.h"
#include "render/button_renderer.h"

class QAction;
class QActionGroup;
class QCheckBox;
class QFrame;
class QLabel;
class QMenu;
class QMimeData;
class QPushButton;
class QScrollArea;
class QComboBox;
class QSettings;
class QSplitter;
class QStatusBar;
class QTabWidget;
class QToolBar;
class QTreeView;
class QWidget;

namespace vorbel::controls {
class ColorComboBox;
class SpinEdit;
}  // namespace vorbel::controls

namespace vorbel::ui {

class BackgroundLayerDialog;
class BevelLayerDialog;
class HelpViewer;
class ImageLayerDialog;
class LayerListModel;
class LayerTypeDialog;
class OffsetPrompt;
class PreviewBox;
class SplashWindow;
class TextLayerDialog;
class UpDownButton;

// What the main window takes from its surroundings. The defaults are those of
// the running program; tests replace them.
struct MainWindowOptions {
  // The program's arguments after the program name; the first one names a
  // layout file to open at start-up.
  QStringList arguments;
  // The program that the desktop starts to open layout files (the launcher).
  // Empty: the running program file.
  QString program_path;
  // The folder the relative help file name is looked up in; empty: the
  // current working directory.
  QString working_directory;
  // The folder of the program file; empty: the folder of program_path.
  QString program_directory;
  // Where an installed program keeps its shared data (<prefix>/share/vorbel);
  // empty: derived from program_directory.
  QString shared_data_directory;
  // The data home the file type is registered under; empty: the user's
  // ($XDG_DATA_HOME or ~/.local/share).
  std::string data_home;
  // Starts the desktop database tools after a registration; empty: detached.
  desktop::CommandRunner command_runner;
  // False leaves out the file-type registration (tests of other behaviour).
  bool register_file_type = true;
  // The file the window keeps its settings in (recent files, zoom); empty:
  // the user's settings of the application.
  QString settings_file;
  // Where Save As and Export start for an untitled document; empty: the
  // user's documents folder.
  QString documents_folder;
};

class MainWindow : public QMainWindow,
                   private document::DocumentObserver,
                   private commands::FileDialogs,
                   private commands::LayerDialogs {
  Q_OBJECT

 public:
  // The window's commands, each one action wherever it shows: in a menu, on
  // the tool bar, in the layer list's popup. Their texts, pictures, tool
  // tips, shortcuts and enabling rules are one entry each of the command
  // table (main_window.cpp).
  enum class Command {
    New,
    Open,
    Save,
    SaveAs,
    Export,
    ExportSet,
    Exit,
    Refresh,
    AddLayer,
    EditLayer,
    DeleteLayer,
    MoveLayerUp,
    MoveLayerDown,
    ToggleVisibility,
    ShowTransparency,
    Contents,
    Search,
    About,
  };
  static constexpr std::size_t kCommandCount = static_cast<std::size_t>(Command::About) + 1;

  explicit MainWindow(MainWindowOptions options = {}, QWidget* parent = nullptr);
  ~MainWindow() override;

  document::ButtonDocument& Document() { return doc_; }
  const document::ButtonDocument& Document() const { return doc_; }
  render::ButtonRenderer& Renderer() { return renderer_; }
  document::DocumentHistory& History() { return history_; }
  const commands::RecentFiles& RecentFiles() const { return recent_files_; }
  // The preview's zoom factor: 1, 2, 4 or 8.
  int Zoom() const;

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

  // Creates the editor dialogs in their start-up order: the layer type
  // chooser, the background, text, bevel and image editors, the offset
  // prompt. Each is a child of the window and lives as long as it.
  void CreateDialogs();

  // The splash window while one exists (start-up or About), else null.
  SplashWindow* Splash() const;
  void SetSplash(SplashWindow* splash);
  // The action of a command.
  QAction* CommandAction(Command command) const { return actions_[static_cast<std::size_t>(command)]; }

 public slots:
  // ---- window, file and view commands ----
  void Refresh();
  void NewDocument();
  void Open();
  void Save();
  void SaveAs();
  void Export();
  // File > "Export Set...": the set dialog, with the choices last made for
  // this layout (kept in the settings).
  void ExportSet();
  // Opens a layout file (a recent one, or one dropped on the window) after
  // asking about unsaved changes. A file that is no longer there is reported
  // and leaves the recent files.
  void OpenLayout(const QString& path);
  void Exit();
  void Undo();
  void Redo();
  // 1, 2, 4 or 8; other values are ignored.
  void SetZoom(int zoom);
  void ZoomIn();
  void ZoomOut();
  // View > Show Transparency: transparent pixels over a checkerboard in the
  // preview (on), or over the work area (off); kept in the settings. Exports
  // do not change with it.
  void SetShowTransparency(bool show);
  // View > "Show Transparency": follows the action's check mark.
  void ShowTransparencyToggled();
  void About();
  void ShowHelpContents();
  void SearchHelp();
  // F1: the help topic of the layer list while it has the focus, otherwise
  // that of the main window.
  void ContextHelp();

  // ---- layer commands (main_window_layers.cpp) ----
  void DeleteLayer();
  void MoveLayerUp();
  void MoveLayerDown();
  void ToggleVisibility();
  // The arrows beside "left" and "top": one pixel right, left, down or up.
  void IncreaseLeft();
  void DecreaseLeft();
  void IncreaseTop();
  void DecreaseTop();
  // Enables each command and the offset panel by its rule; runs on every
  // change of the rows or the selection.
  void UpdateCommands();

  // ---- commands that run the editor dialogs (main_window_editors.cpp) ----
  void AddLayer();
  void EditLayer();
  // "left" and "top": set the current layer's offset through the value prompt.
  void AskLeft();
  void AskTop();
  void Randomize();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  friend class PreviewBox;

  // Construction (main_window.cpp).
  void BuildActions();
  void BuildMenus();
  void BuildToolBars();
  void BuildPages();
  void BuildLayerList();
  void Initialize();
  void FindHelpFile();
  void RegisterLayoutFileType();
  void BuildEditMenu();
  void BuildViewMenu();
  void ReadSettings();

  // The document binding and the preview (main_window_view.cpp).
  void BindDocument();
  void ShowSettings();
  void ShowPreview(render::RenderResult result);
  // What a screen reader says of the preview: its size and layers, or the
  // message shown in place of the button.
  void DescribePreview(const QString& message);
  void SettingsChanged(document::DocumentSetting setting) override;
  void RowInserted(int row) override;
  void RowRemoved(int row) override;
  void RowsExchanged(int first) override;
  void RowChanged(int row) override;
  void RowsReset() override;
  void SelectionChanged(int previous, int current) override;
  void SelectListRow(int row);
  // The title with its modified mark.
  void ShowTitle();
  // The texts and states of Undo and Redo, and the modified mark.
  void UpdateHistoryActions();

  // Undo, zoom, drag and drop (main_window_edit.cpp).
  // What a drop would do: open a layout, add a picture at a point of the
  // button, or nothing.
  enum class DropAction { None, OpenLayout, AddPicture };
  DropAction DropActionFor(const QMimeData* mime, QPoint pos, QString* path = nullptr) const;
  void AddPictureLayer(const QString& path, QPoint at);
  // The layer list's keys: Enter edits, Delete deletes, the menu key and
  // Shift+F10 open the popup menu.
  bool LayerListKey(QKeyEvent* event);
  void ShowLayerPopupAtCurrentRow();
  // Tells in the status bar what a pass cut short by its budget left out;
  // an empty text takes the note away.
  void ShowPassLimit(const QString& text);
  // The status bar's note on pixels painted in the work-area colour, which
  // the transparency rule WorkAreaColor leaves out; none under the other.
  void ShowTransparencyNote();
  // A label of the status bar named `name` showing `text`, made when first
  // needed and hidden while the text is empty.
  void ShowStatusLabel(const QString& name, const QString& text, const QString& tip);
  // Selects the document's matte in the matte combo, adding an entry for a
  // colour it does not offer.
  void ShowMatte();

  // Runs a layer command, redraws when it asks to and shows its error
  // (main_window_layers.cpp).
  void RunLayerCommand(commands::LayerCommand command);
  // The dialogs of the layer commands (main_window_editors.cpp). The
  // start-up sequence creates them right after the window; a window made
  // without it gets them on the first command that needs one.
  void EnsureDialogs();
  std::optional<std::string> ChooseLayerType() override;
  bool ConfirmDelete() override;
  std::optional<std::string> RunEditor(commands::LayerKind kind, const std::string* properties) override;
  void SetEditorPreview(std::function<void(const std::string&)> preview) override { editor_preview_ = std::move(preview); }
  int TextAlignment() override;
  std::optional<std::int32_t> AskOffset(std::int32_t value) override;
  commands::RandomLayerSource& RandomSource(commands::LayerKind kind) override;
  // Runs a command and shows any error it raises in the error box; the
  // program goes on.
  void Guarded(const std::function<void()>& command);

  // Loads a layout file under the hourglass cursor (main_window_file.cpp).
  void LoadLayoutFile(const std::string& fileName);
  // The recent files: the list in the File menu, kept in the settings.
  void AddRecentFile(const QString& path);
  void RemoveRecentFile(const QString& path);
  void UpdateRecentMenu();
  // The folder of the current layout file, else the documents folder.
  QString DocumentFolder() const;
  // The settings group of the set choices of the current layout.
  QString SetChoicesKey() const;
  void RememberFolder(const QString& path);

  // FileDialogs (main_window_file.cpp): the layout open and save choosers.
  std::optional<std::string> OpenDialog() override;
  std::optional<std::string> SaveLayoutDialog() override;
  commands::SaveChangesAnswer AskSaveChanges(const std::string& name) override;

  // The help viewer, made on first use and kept.
  HelpViewer* HelpWindow();

  MainWindowOptions options_;
  document::ButtonDocument doc_;
  document::DocumentSubscription doc_subscription_;
  document::DocumentHistory history_{doc_};
  render::ButtonRenderer renderer_;
  commands::FileCommands commands_;
  commands::LayerCommands layer_commands_{doc_, history_, renderer_, *this};
  commands::RecentFiles recent_files_;
  std::unique_ptr<QSettings> settings_;
  QString help_file_;
  QPointer<HelpViewer> help_viewer_;
  QPointer<SplashWindow> splash_;
  bool syncing_ = false;  // true while the controls are being set from the document

  // The last names chosen in the three file dialogs; each starts from its own.
  QString open_file_name_;
  QString save_layout_file_name_;
  QString export_file_name_;
  // The folder a layout was last opened from.
  QString open_folder_;

  // ---- controls ----
  QToolBar* standard_tool_bar_ = nullptr;
  QToolBar* offset_tool_bar_ = nullptr;
  QWidget* offset_panel_ = nullptr;
  QPushButton* left_button_ = nullptr;
  UpDownButton* left_arrows_ = nullptr;
  QPushButton* top_button_ = nullptr;
  UpDownButton* top_arrows_ = nullptr;
  QScrollArea* preview_panel_ = nullptr;
  PreviewBox* preview_ = nullptr;
  QSplitter* splitter_ = nullptr;
  QWidget* pages_panel_ = nullptr;
  QTabWidget* pages_ = nullptr;
  QWidget* button_page_ = nullptr;
  QWidget* layers_page_ = nullptr;
  QStatusBar* status_bar_ = nullptr;

  QLabel* height_label_ = nullptr;
  controls::SpinEdit* height_edit_ = nullptr;
  QLabel* width_label_ = nullptr;
  controls::SpinEdit* width_edit_ = nullptr;
  QLabel* work_area_label_ = nullptr;
  controls::ColorComboBox* work_area_combo_ = nullptr;
  QCheckBox* border_box_ = nullptr;
  QLabel* transparency_label_ = nullptr;
  QComboBox* transparency_combo_ = nullptr;
  QCheckBox* smooth_box_ = nullptr;
  QLabel* matte_label_ = nullptr;
  QComboBox* matte_combo_ = nullptr;
  QPushButton* randomize_button_ = nullptr;

  QTreeView* layer_list_ = nullptr;
  LayerListModel* layer_model_ = nullptr;

  // One action per command, in the order of Command.
  std::array<QAction*, kCommandCount> actions_{};

  // The main menu.
  QMenu* file_menu_ = nullptr;
  QMenu* recent_menu_ = nullptr;
  QMenu* edit_menu_ = nullptr;
  QAction* undo_item_ = nullptr;
  QAction* redo_item_ = nullptr;
  QMenu* view_menu_ = nullptr;
  QActionGroup* zoom_group_ = nullptr;
  QAction* zoom_in_item_ = nullptr;
  QAction* zoom_out_item_ = nullptr;
  QMenu* layer_menu_ = nullptr;
  QMenu* help_menu_ = nullptr;

  // The popup menu of the layer list.
  QMenu* layer_popup_ = nullptr;

  // The editor dialogs (null until CreateDialogs made them).
  LayerTypeDialog* layer_type_dialog_ = nullptr;
  BackgroundLayerDialog* background_dialog_ = nullptr;
  TextLayerDialog* text_dialog_ = nullptr;
  BevelLayerDialog* bevel_dialog_ = nullptr;
  ImageLayerDialog* image_dialog_ = nullptr;
  OffsetPrompt* offset_prompt_ = nullptr;
  // What the layer commands do with an editor's settings while it is open.
  std::function<void(const std::string&)> editor_preview_;
};

}  // namespace vorbel::ui
