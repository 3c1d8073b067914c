// The main window: construction of its controls and what it does when it is
// created.

#include "ui/main_window.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>
#include <iterator>
#include <new>
#include <optional>
#include <utility>

#include "base/translation.h"
#include "controls/color_combo_box.h"
#include "controls/spin_edit.h"
#include "desktop/version_info.h"
#include "document/color_list.h"
#include "gdi/system_colors.h"
#include "ui/dialog_helpers.h"
#include "ui/help_viewer.h"
#include "ui/layer_list_model.h"
#include "ui/preview_box.h"
#include "ui/resources.h"
#include "ui/splash_window.h"
#include "ui/up_down_button.h"

namespace vorbel::ui {
namespace {

// The part of a hint before "|" is the tool tip; the rest is shown nowhere.
QString ShortHint(const QString& hint) { return hint.section(u'|', 0, 0); }

void NameToolButtons(QToolBar& bar) {
  for (QAction* action : bar.actions()) {
    if (QWidget* button = bar.widgetForAction(action)) {
      button->setAccessibleName(action->property("accessibleName").toString());
    }
  }
}

QAction* MakeMenuAction(QMenu* menu, const QString& name, const QString& text) {
  QAction* action = menu->addAction(text);
  action->setObjectName(name);
  return action;
}

// The window's commands. Each becomes one action, which the menus, the tool
// bar and the layer list's popup show wherever Build* places it; a command
// with a layer rule is enabled by that rule (UpdateCommands). Texts are
// translated in the main window's context.
struct CommandEntry {
  MainWindow::Command command;
  const char* name;   // the action's object name
  const char* text;   // the menu text
  const char* label;  // the tool button's accessible name, if it has one
  const char* glyph;  // the tool-bar picture, if any
  // The tool tip before "|" (the rest is shown nowhere), if any.
  const char* hint;
  const char* keys;  // the shortcut in portable text, if any
  void (MainWindow::*run)();
  std::optional<commands::LayerCommand> rule;
};

using Command = MainWindow::Command;
using commands::LayerCommand;

const CommandEntry kCommands[] = {
    {Command::New,
     "newAction",
     QT_TRANSLATE_NOOP("vorbel::ui::MainWindow", "&New"),
     QT_TRANSLATE_NOOP("vorbel::ui::MainWindow", "New"),
     "new.png",
     QT_TRANSLATE_NOOP("vorbel::ui::MainWindow", "New (Ctrl+N)|Start a new layout"),
     "Ctrl+N",
     &MainWindow::NewDocument,
     {}},
    {Command::Open,
     "openAction",
     QT_TRANSLATE_NOOP("vorbel::ui::MainWindow", "&Open..."),
     QT_TRANSLATE_NOOP("vorbel::ui::MainWindow", "Open"),
     "open.png",
     QT_TRANSLATE_NOOP("vorbel::ui::MainWindow", "Open (Ctrl+O)|Open a layout file"),
     "Ctrl+O",
     &MainWindow::Open,
     {}},
    {Command::Save,
     "saveAction",
     QT_TRANSLATE_NOOP("vorbel::ui::MainWindow", "&Save"),
     QT_TRANSLATE_NOOP("vorbel::ui::MainWindow", "Save"),
     "save.png",
     QT_TRANSLATE_NOOP("vorbel::ui::MainWindow", "Save (Ctrl+S)|Save the layout"),
     "Ctrl+S",
     &MainWindow::Save,
     {}},
    {Command::SaveAs,
     "saveAsItem",
     QT_TRANSLATE_NOOP("vorbel::ui::MainWindow", "Save &As..."),
     nullptr,
     nullptr,
     nullptr,
     "Ctrl+Shift+S",
     &MainWindow::SaveAs,
     {}},
    {Command::Export,
     "exportAction",
     QT_TRANSLATE_NOOP("vorbel::ui::MainWindow", "&Export..."),
     QT_TRANSLATE_NOOP("vorbel::ui::MainWindow", "Export"),
     "export.png",
     QT_TRANSLATE_NOOP("vorbel::ui::MainWindow", "Export (Ctrl+E)|Save the button as a picture"),
     "Ctrl+E",
     &MainWindow::Export,
     {}},
    {Command::ExportSet,
     "exportSetItem",
     QT_TRANSLATE_NOOP("vorbel::ui::MainWindow", "Export Se&t..."),
     nullptr,
     nullptr,
     nullptr,
     "Ctrl+Shift+E",
     &MainWindow::ExportSet,
     {}},
    {Command::Exit,
     "exitItem",
     QT_TRANSLATE_NOOP("vorbel::ui::MainWindow", "E&xit"),
     nullptr,
     nullptr,
     nullptr,
     "Ctrl+Q",
     &MainWindow::Exit,
     {}},
    {Command::Refresh,
     "refreshAction",
     QT_TRANSLATE_NOOP("vorbel::ui::MainWindow", "&Refresh"),
     QT_TRANSLATE_NOOP("vorbel::ui::MainWindow", "Refresh"),
     "refresh.png",
     QT_TRANSLATE_NOOP("vorbel::ui::MainWindow", "Refresh (F5)|Redraw the image"),
     "F5",
     &MainWindow::Refresh,
     {}},
    {Command::AddLayer, "addLayerAction", QT_TRANSLATE_NOOP("vorbel::ui::MainWindow", "&New..."),
     QT_TRANSLATE_NOOP("vorbel::ui::MainWindow", "Add layer"), "add_layer.png",
     QT_TRANSLATE_NOOP("vorbel::ui::MainWindow", "Add layer|Add a new layer"), nullptr, &MainWindow::AddLayer,
     LayerCommand::Add},
    {Command::EditLayer, "editLayerAction", QT_TRANSLATE_NOOP("vorbel::ui::MainWindow", "&Edit..."), nullptr, nullptr,
     nullptr, nullptr, &MainWindow::EditLayer, LayerCommand::Edit},
    {Command::DeleteLayer, "deleteLayerAction", QT_TRANSLATE_NOOP("vorbel::ui::MainWindow", "&Delete..."),
     QT_TRANSLATE_NOOP("vorbel::ui::MainWindow", "Delete layer"), "delete_layer.png",
     QT_TRANSLATE_NOOP("vorbel::ui::MainWindow", "Delete layer|Delete the current layer"), nullptr,
     &MainWindow::DeleteLayer, LayerCommand::Delete},
    {Command::MoveLayerUp, "moveUpAction", QT_TRANSLATE_NOOP("vorbel::ui::MainWindow", "Move &up"),
     QT_TRANSLATE_NOOP("vorbel::ui::MainWindow", "Move Layer Up"), "layer_up.png",
     QT_TRANSLATE_NOOP("vorbel::ui::MainWindow", "Move Layer Up|Move the current layer upwards"), nullptr,
     &MainWindow::MoveLayerUp, LayerCommand::MoveUp},
    {Command::MoveLayerDown, "moveDownAction", QT_TRANSLATE_NOOP("vorbel::ui::MainWindow", "Move do&wn"),
     QT_TRANSLATE_NOOP("vorbel::ui::MainWindow", "Move Layer Down"), "layer_down.png",
     QT_TRANSLATE_NOOP("vorbel::ui::MainWindow", "Move Layer Down|Move the current layer towards the top of the image"),
     nullptr, &MainWindow::MoveLayerDown, LayerCommand::MoveDown},
    {Command::ToggleVisibility, "toggleVisibilityAction",
     QT_TRANSLATE_NOOP("vorbel::ui::MainWindow", "&Toggle visibility"), nullptr, nullptr, nullptr, "Ctrl+H",
     &MainWindow::ToggleVisibility, LayerCommand::ToggleVisibility},
    {Command::ShowTransparency,
     "showTransparencyItem",
     QT_TRANSLATE_NOOP("vorbel::ui::MainWindow", "Show &Transparency"),
     nullptr,
     nullptr,
     nullptr,
     nullptr,
     &MainWindow::ShowTransparencyToggled,
     {}},
    {Command::Contents,
     "contentsItem",
     QT_TRANSLATE_NOOP("vorbel::ui::MainWindow", "&Contents"),
     nullptr,
     nullptr,
     nullptr,
     nullptr,
     &MainWindow::ShowHelpContents,
     {}},
    {Command::Search,
     "searchItem",
     QT_TRANSLATE_NOOP("vorbel::ui::MainWindow", "&Search..."),
     nullptr,
     nullptr,
     nullptr,
     nullptr,
     &MainWindow::SearchHelp,
     {}},
    {Command::About,
     "aboutItem",
     QT_TRANSLATE_NOOP("vorbel::ui::MainWindow", "&About..."),
     nullptr,
     nullptr,
     nullptr,
     nullptr,
     &MainWindow::About,
     {}},
};
static_assert(std::size(kCommands) == MainWindow::kCommandCount);

QString WindowText(const char* text) { return QCoreApplication::translate("vorbel::ui::MainWindow", text); }

// The panel around the preview: the button sits 2 pixels in from its corner,
// on the panel's own background, and scrolls when it does not fit. With the
// keyboard focus (the arrow keys scroll it) a focus mark runs round it, in
// the 2 pixels it keeps free on every side.
class PreviewPanel final : public QScrollArea {
 public:
  PreviewPanel() {
    setFrameShape(QFrame::NoFrame);
    setViewportMargins(2, 2, 2, 2);
  }

 protected:
  bool event(QEvent* event) override {
    const bool handled = QScrollArea::event(event);
    if (event->type() == QEvent::Paint && hasFocus()) DrawFocusMark(*this);
    return handled;
  }
  void focusInEvent(QFocusEvent* event) override {
    QScrollArea::focusInEvent(event);
    update();
  }
  void focusOutEvent(QFocusEvent* event) override {
    QScrollArea::focusOutEvent(event);
    update();
  }
};

QByteArray ReadResource(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

MainWindow::MainWindow(MainWindowOptions options, QWidget* parent)
    : QMainWindow(parent),
      options_(std::move(options)),
      commands_(
          doc_, *this, [this] { RenderButton(); }, &history_) {
  InitResources();
  setObjectName(QStringLiteral("mainWindow"));
  settings_ = options_.settings_file.isEmpty()
                  ? std::make_unique<QSettings>()
                  : std::make_unique<QSettings>(options_.settings_file, QSettings::IniFormat);
  setWindowIcon(ProgramIcon());

  BuildActions();
  BuildMenus();
  BuildToolBars();
  BuildPages();
  status_bar_ = new QStatusBar(this);
  status_bar_->setObjectName(QStringLiteral("statusBar"));
  setStatusBar(status_bar_);

  // The window starts 500 x 329 below the menu bar, or as large as its
  // controls need in the font and language at hand.
  const QSize needed = minimumSizeHint();
  resize(std::max(500, needed.width()), std::max(329 + menuBar()->sizeHint().height(), needed.height()));

  // The button the window starts with is new: transparent where no layer
  // paints. That is where its history starts.
  doc_.SetTransparencyRule(document::Transparency::Unpainted);
  history_.Reset();
  history_.MarkSaved();
  BindDocument();
  UpdateCommands();
  Initialize();
}

MainWindow::~MainWindow() {
  // A size field that has the focus loses it while the window's children go,
  // when the window is no longer there to hear it.
  for (controls::SpinEdit* edit : {height_edit_, width_edit_}) edit->disconnect(this);
}

void MainWindow::BuildActions() {
  for (std::size_t i = 0; i < kCommandCount; ++i) {
    const CommandEntry& entry = kCommands[i];
    Q_ASSERT(static_cast<std::size_t>(entry.command) == i);
    auto* action = new QAction(WindowText(entry.text), this);
    action->setObjectName(QLatin1String(entry.name));
    if (entry.glyph != nullptr)
      action->setIcon(ResourceIcon(QStringLiteral(":/toolbar/") + QLatin1String(entry.glyph)));
    if (entry.label != nullptr) action->setProperty("accessibleName", WindowText(entry.label));
    if (entry.hint != nullptr) action->setToolTip(ShortHint(WindowText(entry.hint)));
    if (entry.keys != nullptr) action->setShortcut(QKeySequence(QLatin1String(entry.keys)));
    connect(action, &QAction::triggered, this, entry.run);
    actions_[i] = action;
  }
  CommandAction(Command::ExportSet)
      ->setStatusTip(tr("Write a set of buttons, one for each caption of a list, in several looks and sizes"));
  QAction* showTransparency = CommandAction(Command::ShowTransparency);
  showTransparency->setCheckable(true);
  showTransparency->setChecked(true);
  showTransparency->setStatusTip(
      tr("Show the transparent pixels of the button over a checkerboard instead of the work area"));
  // Ctrl+H acts while the layer list (or its popup) has the keyboard focus.
  CommandAction(Command::ToggleVisibility)->setShortcutContext(Qt::WidgetShortcut);

  auto* help = new QAction(this);
  help->setShortcut(QKeySequence::HelpContents);
  help->setShortcutContext(Qt::WindowShortcut);
  connect(help, &QAction::triggered, this, &MainWindow::ContextHelp);
  addAction(help);
}

void MainWindow::UpdateCommands() {
  for (const CommandEntry& entry : kCommands) {
    if (entry.rule) CommandAction(entry.command)->setEnabled(layer_commands_.Enabled(*entry.rule));
  }
  // The four offset controls share one rule.
  offset_panel_->setEnabled(layer_commands_.Enabled(LayerCommand::IncreaseLeft));
}

void MainWindow::BuildMenus() {
  QMenuBar* bar = menuBar();
  bar->setObjectName(QStringLiteral("mainMenu"));
  auto add = [this](QMenu* menu, std::initializer_list<Command> commands) {
    for (Command command : commands) menu->addAction(CommandAction(command));
  };

  file_menu_ = bar->addMenu(tr("&File"));
  file_menu_->setObjectName(QStringLiteral("fileMenu"));
  add(file_menu_, {Command::New, Command::Open});
  recent_menu_ = file_menu_->addMenu(tr("Open &Recent"));
  recent_menu_->setObjectName(QStringLiteral("recentMenu"));
  add(file_menu_, {Command::Save, Command::SaveAs, Command::Export, Command::ExportSet});
  file_menu_->addSeparator()->setObjectName(QStringLiteral("fileSeparator"));
  add(file_menu_, {Command::Exit});

  BuildEditMenu();

  layer_menu_ = bar->addMenu(tr("&Layer"));
  layer_menu_->setObjectName(QStringLiteral("layerMenu"));
  add(layer_menu_, {Command::AddLayer, Command::DeleteLayer});
  layer_menu_->addSeparator()->setObjectName(QStringLiteral("layerSeparator"));
  add(layer_menu_, {Command::MoveLayerUp, Command::MoveLayerDown});

  BuildViewMenu();

  help_menu_ = bar->addMenu(tr("&Help"));
  help_menu_->setObjectName(QStringLiteral("helpMenu"));
  add(help_menu_, {Command::Contents, Command::Search});
  help_menu_->addSeparator()->setObjectName(QStringLiteral("helpSeparator"));
  add(help_menu_, {Command::About});

  layer_popup_ = new QMenu(this);
  layer_popup_->setObjectName(QStringLiteral("layerPopup"));
  add(layer_popup_, {Command::EditLayer, Command::AddLayer, Command::DeleteLayer, Command::ToggleVisibility});
  layer_popup_->setDefaultAction(CommandAction(Command::EditLayer));
}

void MainWindow::BuildEditMenu() {
  edit_menu_ = menuBar()->addMenu(tr("&Edit"));
  edit_menu_->setObjectName(QStringLiteral("editMenu"));
  undo_item_ = MakeMenuAction(edit_menu_, QStringLiteral("undoItem"), tr("&Undo"));
  undo_item_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  undo_item_->setIcon(QIcon::fromTheme(QStringLiteral("edit-undo")));
  redo_item_ = MakeMenuAction(edit_menu_, QStringLiteral("redoItem"), tr("&Redo"));
  redo_item_->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
  redo_item_->setIcon(QIcon::fromTheme(QStringLiteral("edit-redo")));
  undo_item_->setEnabled(false);
  redo_item_->setEnabled(false);
  connect(undo_item_, &QAction::triggered, this, &MainWindow::Undo);
  connect(redo_item_, &QAction::triggered, this, &MainWindow::Redo);
}

void MainWindow::BuildViewMenu() {
  view_menu_ = menuBar()->addMenu(tr("&View"));
  view_menu_->setObjectName(QStringLiteral("viewMenu"));
  view_menu_->addAction(CommandAction(Command::Refresh));
  view_menu_->addSeparator();
  zoom_group_ = new QActionGroup(this);
  zoom_group_->setExclusive(true);
  for (int zoom : {1, 2, 4, 8}) {
    QAction* item =
        MakeMenuAction(view_menu_, QStringLiteral("zoom%1Item").arg(zoom * 100), tr("&%1 %").arg(zoom * 100));
    item->setCheckable(true);
    item->setChecked(zoom == 1);
    item->setData(zoom);
    zoom_group_->addAction(item);
    connect(item, &QAction::triggered, this, [this, zoom] { SetZoom(zoom); });
  }
  view_menu_->addSeparator();
  zoom_in_item_ = MakeMenuAction(view_menu_, QStringLiteral("zoomInItem"), tr("Zoom &In"));
  zoom_in_item_->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
  zoom_out_item_ = MakeMenuAction(view_menu_, QStringLiteral("zoomOutItem"), tr("Zoom &Out"));
  zoom_out_item_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Minus));
  connect(zoom_in_item_, &QAction::triggered, this, &MainWindow::ZoomIn);
  connect(zoom_out_item_, &QAction::triggered, this, &MainWindow::ZoomOut);
  view_menu_->addSeparator();
  view_menu_->addAction(CommandAction(Command::ShowTransparency));
}

void MainWindow::ReadSettings() {
  std::vector<std::string> files;
  for (const QString& file : settings_->value(QStringLiteral("RecentFiles")).toStringList()) {
    files.push_back(file.toStdString());
  }
  recent_files_.SetFiles(files);
  UpdateRecentMenu();
  open_folder_ = settings_->value(QStringLiteral("OpenFolder")).toString();
  // The window's place and size, its tool bars and the border between the
  // preview and the pages, as the last run left them.
  restoreGeometry(settings_->value(QStringLiteral("WindowGeometry")).toByteArray());
  restoreState(settings_->value(QStringLiteral("WindowState")).toByteArray());
  splitter_->restoreState(settings_->value(QStringLiteral("Splitter")).toByteArray());
  // A zoom other than 1, 2, 4 or 8 in the file leaves the preview at 1:1.
  SetZoom(settings_->value(QStringLiteral("Zoom"), 1).toInt());
  SetShowTransparency(settings_->value(QStringLiteral("ShowTransparency"), true).toBool());
}

void MainWindow::BuildToolBars() {
  standard_tool_bar_ = new QToolBar(tr("Standard"), this);
  standard_tool_bar_->setObjectName(QStringLiteral("standardToolBar"));
  standard_tool_bar_->setIconSize(QSize(16, 16));
  standard_tool_bar_->setMovable(true);
  // A null entry is a separator.
  const std::optional<Command> tools[] = {Command::New,
                                          Command::Open,
                                          Command::Save,
                                          {},
                                          Command::Export,
                                          {},
                                          Command::Refresh,
                                          {},
                                          Command::MoveLayerUp,
                                          Command::MoveLayerDown,
                                          {},
                                          Command::AddLayer,
                                          Command::DeleteLayer};
  for (const std::optional<Command>& tool : tools) {
    if (tool) {
      standard_tool_bar_->addAction(CommandAction(*tool));
    } else {
      standard_tool_bar_->addSeparator();
    }
  }
  addToolBar(Qt::TopToolBarArea, standard_tool_bar_);
  NameToolButtons(*standard_tool_bar_);

  offset_tool_bar_ = new QToolBar(tr("Offset"), this);
  offset_tool_bar_->setObjectName(QStringLiteral("offsetToolBar"));
  offset_tool_bar_->setMovable(true);
  offset_panel_ = new QWidget(offset_tool_bar_);
  offset_panel_->setObjectName(QStringLiteral("offsetPanel"));
  left_button_ = new QPushButton(tr("Left"), offset_panel_);
  left_button_->setObjectName(QStringLiteral("leftButton"));
  left_button_->setToolTip(tr("Set the left offset of the current layer"));
  left_arrows_ = new UpDownButton(offset_panel_);
  left_arrows_->setObjectName(QStringLiteral("leftArrows"));
  left_arrows_->setToolTip(tr("Move the current layer right or left by one pixel"));
  top_button_ = new QPushButton(tr("Top"), offset_panel_);
  top_button_->setObjectName(QStringLiteral("topButton"));
  top_button_->setToolTip(tr("Set the top offset of the current layer"));
  top_arrows_ = new UpDownButton(offset_panel_);
  top_arrows_->setObjectName(QStringLiteral("topArrows"));
  top_arrows_->setToolTip(tr("Move the current layer down or up by one pixel"));
  Describe(*left_arrows_, tr("Left offset"), tr("Up moves the current layer right, Down moves it left"));
  Describe(*left_arrows_->UpArrow(), tr("Move right"));
  Describe(*left_arrows_->DownArrow(), tr("Move left"));
  Describe(*top_arrows_, tr("Top offset"), tr("Up moves the current layer down, Down moves it up"));
  Describe(*top_arrows_->UpArrow(), tr("Move down"));
  Describe(*top_arrows_->DownArrow(), tr("Move up"));
  // Each caption gets the room its text and the style's margins need, and
  // each pair of arrows the height of its button.
  auto* row = new QHBoxLayout(offset_panel_);
  row->setContentsMargins(2, 0, 2, 0);
  row->setSpacing(1);
  row->addWidget(left_button_);
  row->addWidget(left_arrows_);
  row->addSpacing(6);
  row->addWidget(top_button_);
  row->addWidget(top_arrows_);
  offset_tool_bar_->addWidget(offset_panel_);
  addToolBar(Qt::TopToolBarArea, offset_tool_bar_);

  connect(left_button_, &QPushButton::clicked, this, &MainWindow::AskLeft);
  connect(top_button_, &QPushButton::clicked, this, &MainWindow::AskTop);
  for (UpDownButton* arrows : {left_arrows_, top_arrows_}) {
    connect(arrows, &UpDownButton::stepsStarted, this, [this] { history_.BreakMerge(); });
  }
  connect(left_arrows_, &UpDownButton::upClicked, this, &MainWindow::IncreaseLeft);
  connect(left_arrows_, &UpDownButton::downClicked, this, &MainWindow::DecreaseLeft);
  connect(top_arrows_, &UpDownButton::upClicked, this, &MainWindow::IncreaseTop);
  connect(top_arrows_, &UpDownButton::downClicked, this, &MainWindow::DecreaseTop);
}

void MainWindow::BuildPages() {
  // The preview sits 2 pixels in from the panel's corner; a button larger
  // than the panel (or enlarged by the zoom) scrolls.
  preview_panel_ = new PreviewPanel;
  preview_panel_->setObjectName(QStringLiteral("previewPanel"));
  preview_panel_->setFrameShape(QFrame::NoFrame);
  preview_panel_->setAutoFillBackground(true);
  preview_panel_->setMinimumHeight(20);
  preview_panel_->setAccessibleName(tr("Button preview"));
  preview_panel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  preview_panel_->setWidgetResizable(false);
  preview_panel_->viewport()->setAutoFillBackground(false);
  preview_ = new PreviewBox;
  preview_->resize(121, 51);
  preview_->SetPaintHandler([this] { RenderButton(); });
  preview_panel_->setWidget(preview_);
  preview_->setAutoFillBackground(false);
  preview_panel_->viewport()->installEventFilter(this);
  setAcceptDrops(true);

  pages_panel_ = new QWidget;
  pages_panel_->setObjectName(QStringLiteral("pagesPanel"));
  auto* panelLayout = new QVBoxLayout(pages_panel_);
  panelLayout->setContentsMargins(0, 0, 0, 0);
  pages_ = new QTabWidget(pages_panel_);
  pages_->setObjectName(QStringLiteral("pages"));
  pages_->setAccessibleName(tr("Button and layers"));
  panelLayout->addWidget(pages_);

  button_page_ = new QWidget;
  button_page_->setObjectName(QStringLiteral("buttonPage"));
  height_edit_ = new controls::SpinEdit(button_page_);
  height_edit_->setObjectName(QStringLiteral("heightEdit"));
  height_edit_->setToolTip(ShortHint(tr("|Set the overall height of the button")));
  Describe(*height_edit_, tr("Height"), tr("The button's height in pixels"));
  height_label_ = MakeBuddyLabel(tr("Height"), button_page_, "heightLabel", height_edit_);
  width_edit_ = new controls::SpinEdit(button_page_);
  width_edit_->setObjectName(QStringLiteral("widthEdit"));
  width_edit_->setToolTip(ShortHint(tr("|Set the overall width of the button")));
  Describe(*width_edit_, tr("Width"), tr("The button's width in pixels"));
  width_label_ = MakeBuddyLabel(tr("Width"), button_page_, "widthLabel", width_edit_);
  work_area_combo_ = new controls::ColorComboBox(doc_.WorkArea(), button_page_);
  work_area_combo_->setObjectName(QStringLiteral("workAreaCombo"));
  work_area_combo_->setToolTip(ShortHint(tr("|Set the background of the work area")));
  Describe(*work_area_combo_, tr("Work area color"),
           tr("The color round the layers, and of the pixels no layer paints"));
  work_area_label_ = MakeBuddyLabel(tr("Work area color"), button_page_, "workAreaLabel", work_area_combo_);
  border_box_ = new QCheckBox(tr("Show image border"), button_page_);
  border_box_->setObjectName(QStringLiteral("borderBox"));
  transparency_combo_ = new QComboBox(button_page_);
  transparency_combo_->setObjectName(QStringLiteral("transparencyCombo"));
  // In the order of document::Transparency.
  transparency_combo_->addItem(tr("Every pixel of the work area color"));
  transparency_combo_->addItem(tr("Everything no layer paints"));
  transparency_combo_->setToolTip(
      ShortHint(tr("|Choose which pixels are transparent in exported pictures: those of exactly the work area "
                   "color, even where a layer paints it, or those that no layer paints")));
  transparency_label_ =
      MakeBuddyLabel(tr("&Transparent in pictures"), button_page_, "transparencyLabel", transparency_combo_);
  smooth_box_ = new QCheckBox(tr("S&mooth edges"), button_page_);
  smooth_box_->setObjectName(QStringLiteral("smoothBox"));
  smooth_box_->setToolTip(ShortHint(tr("|Draw text, shapes, lines and bevels with smooth (anti-aliased) edges")));
  matte_combo_ = new QComboBox(button_page_);
  matte_combo_->setObjectName(QStringLiteral("matteCombo"));
  matte_combo_->setToolTip(
      ShortHint(tr("|Choose the color of the page the button is for: formats without partial transparency blend "
                   "smooth edges onto it, and JPEG and BMP fill transparent pixels with it")));
  matte_label_ = MakeBuddyLabel(tr("M&atte for GIF, JPEG and BMP"), button_page_, "matteLabel", matte_combo_);
  matte_combo_->addItem(tr("Same as the work area color"));
  {
    document::ColorList standard;
    document::FillColorList(standard);
    for (const document::ColorEntry& entry : standard.Entries()) {
      matte_combo_->addItem(ColorSwatch(entry.color), QString::fromUtf8(base::Translate(entry.name.c_str())),
                            entry.color.Value());
    }
  }
  randomize_button_ = new QPushButton(tr("Randomize"), button_page_);
  randomize_button_->setObjectName(QStringLiteral("randomizeButton"));
  randomize_button_->hide();
  connect(randomize_button_, &QPushButton::clicked, this, &MainWindow::Randomize);
  auto* grid = new QGridLayout(button_page_);
  grid->setContentsMargins(5, 5, 5, 5);
  grid->setVerticalSpacing(2);
  grid->setHorizontalSpacing(24);
  grid->addWidget(height_label_, 0, 0);
  grid->addWidget(height_edit_, 1, 0);
  grid->addWidget(width_label_, 0, 1);
  grid->addWidget(width_edit_, 1, 1);
  grid->addWidget(work_area_label_, 2, 0);
  grid->addWidget(work_area_combo_, 3, 0);
  grid->addWidget(border_box_, 3, 1);
  grid->addWidget(transparency_label_, 4, 0);
  grid->addWidget(transparency_combo_, 5, 0);
  grid->addWidget(smooth_box_, 5, 1);
  grid->addWidget(randomize_button_, 4, 1, Qt::AlignLeft);
  grid->addWidget(matte_label_, 6, 0);
  grid->addWidget(matte_combo_, 7, 0);
  grid->setRowStretch(8, 1);
  grid->setColumnStretch(0, 1);
  grid->setColumnStretch(1, 1);
  pages_->addTab(button_page_, tr("Button"));

  layers_page_ = new QWidget;
  layers_page_->setObjectName(QStringLiteral("layersPage"));
  BuildLayerList();
  pages_->addTab(layers_page_, tr("Layers"));

  splitter_ = new QSplitter(Qt::Vertical, this);
  splitter_->setObjectName(QStringLiteral("splitter"));
  splitter_->setHandleWidth(3);
  splitter_->setChildrenCollapsible(false);
  splitter_->addWidget(preview_panel_);
  splitter_->addWidget(pages_panel_);
  splitter_->setStretchFactor(0, 1);
  splitter_->setStretchFactor(1, 0);
  splitter_->setSizes({101, 176});
  setCentralWidget(splitter_);
}

void MainWindow::BuildLayerList() {
  auto* layout = new QVBoxLayout(layers_page_);
  layout->setContentsMargins(0, 0, 0, 0);
  layer_list_ = new QTreeView(layers_page_);
  layer_list_->setObjectName(QStringLiteral("layerList"));
  Describe(*layer_list_, tr("Layers"),
           tr("The layers of the button, one a row: type, properties, left and top offset; Enter edits one"));
  layer_model_ = new LayerListModel(doc_, layer_list_);
  layer_model_->setObjectName(QStringLiteral("layerModel"));
  layer_list_->setModel(layer_model_);
  layer_list_->setRootIsDecorated(false);
  layer_list_->setItemsExpandable(false);
  layer_list_->setUniformRowHeights(true);
  layer_list_->setAllColumnsShowFocus(true);
  layer_list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  layer_list_->setSelectionMode(QAbstractItemView::SingleSelection);
  layer_list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  layer_list_->setIconSize(QSize(16, 16));
  layer_list_->setTextElideMode(Qt::ElideRight);
  layer_list_->header()->setStretchLastSection(false);
  layer_list_->header()->setSectionsMovable(false);
  for (int c = 0; c < LayerListModel::kColumnCount; ++c) {
    layer_list_->header()->resizeSection(c, LayerListModel::kColumnWidths[c]);
  }
  layer_list_->header()->resizeSection(0, LayerListModel::TypeColumnWidth(layer_list_->font()));
  // The properties take the width the other columns leave, however wide the
  // window is.
  layer_list_->header()->setSectionResizeMode(static_cast<int>(LayerListModel::Column::Properties),
                                              QHeaderView::Stretch);
  // The selection stays visible when the list loses the focus.
  QPalette palette = layer_list_->palette();
  for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText}) {
    palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
  }
  layer_list_->setPalette(palette);
  layout->addWidget(layer_list_);

  layer_list_->installEventFilter(this);
  layer_list_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(layer_list_, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& pos) { layer_popup_->popup(layer_list_->viewport()->mapToGlobal(pos)); });
  connect(layer_list_, &QAbstractItemView::doubleClicked, this, &MainWindow::EditLayer);
  // Ctrl+H toggles the current layer while the list has the keyboard focus.
  layer_list_->addAction(CommandAction(Command::ToggleVisibility));
  connect(layer_list_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
    // While rows come and go the view moves its selection about by itself;
    // the document's selection is the one that counts and is shown after.
    if (syncing_ || layer_model_->Changing()) return;
    const QModelIndexList rows = layer_list_->selectionModel()->selectedRows();
    const int row = rows.isEmpty() ? -1 : rows.front().row();
    if (row != doc_.SelectedRow()) doc_.SelectRow(row);
  });
}

void MainWindow::Initialize() {
  pages_->setCurrentWidget(button_page_);

  document::FillColorList(doc_.WorkArea());
  doc_.SetWorkAreaColor(document::ButtonDocument::kInitialWorkArea);

  FindHelpFile();

  renderer_.Gradient().steps = 255;
  renderer_.Gradient().BuildPalette();

  doc_.SetUntitled();

  if (options_.register_file_type) RegisterLayoutFileType();

  doc_.SetLoading(false);

  ReadSettings();
  // Setting the window up is no step of the document's history.
  history_.Reset();
  history_.MarkSaved();

  if (!options_.arguments.isEmpty()) {
    const QString& first = options_.arguments.front();
    const QFileInfo info(first);
    if (!first.isEmpty() && info.exists() && !info.isDir()) {
      Guarded([&] { LoadLayoutFile(first.toStdString()); });
    }
  }
}

void MainWindow::FindHelpFile() {
  const QString working = options_.working_directory.isEmpty() ? QDir::currentPath() : options_.working_directory;
  QString programDir = options_.program_directory;
  if (programDir.isEmpty()) {
    const QString program = QString::fromStdString(desktop::ProgramFilePath());
    programDir = program.isEmpty() ? QCoreApplication::applicationDirPath() : QFileInfo(program).absolutePath();
  }
  // The help file in the working folder counts only when the program has none
  // of its own: beside it (a build tree), or with the shared data of an
  // installed program (<prefix>/lib/vorbel/vorbel-window finds
  // <prefix>/share/vorbel/help/winhelp).
  help_file_ = HelpViewer::FindHelpFile(working, programDir);
  const QString beside =
      QFileInfo(QDir(programDir).filePath(QStringLiteral("help/winhelp/") + QLatin1String(HelpViewer::kHelpFileName)))
          .absoluteFilePath();
  if (help_file_ == beside) return;
  const QString shared = options_.shared_data_directory.isEmpty()
                             ? QDir(programDir).absoluteFilePath(QStringLiteral("../../share/vorbel"))
                             : options_.shared_data_directory;
  const QString installed =
      QDir::cleanPath(shared + QStringLiteral("/help/winhelp/") + QLatin1String(HelpViewer::kHelpFileName));
  if (QFileInfo(installed).isFile()) help_file_ = installed;
}

void MainWindow::RegisterLayoutFileType() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  try {
    QString program = options_.program_path;
    if (program.isEmpty()) program = qEnvironmentVariable("VORBEL_PROGRAM");
    // Only the launcher (`vorbel`) writes thumbnails; a window program
    // started by hand registers itself for opening layouts only.
    const bool launcher = !program.isEmpty();
    if (program.isEmpty()) program = QString::fromStdString(desktop::ProgramFilePath());
    desktop::FileTypeIcons icons;
    for (int size : desktop::kIconSizes) {
      QByteArray png = ReadResource(QStringLiteral(":/icons/vorbel_%1.png").arg(size));
      if (!png.isEmpty()) icons.program_icons_png.emplace_back(size, png.toStdString());
      png = ReadResource(QStringLiteral(":/icons/layout_document_%1.png").arg(size));
      if (!png.isEmpty()) icons.document_icons_png.emplace_back(size, png.toStdString());
    }
    icons.document_icon_svg = ReadResource(QStringLiteral(":/icons/layout_document.svg")).toStdString();
    desktop::RegisterLayoutFileType(program.toStdString(), options_.data_home, icons,
                                    options_.command_runner ? options_.command_runner : desktop::SpawnDetached,
                                    launcher);
  } catch (const std::bad_alloc&) {
    // Registration is a convenience: start-up goes on without it. It reports
    // no failure of its own.
  }
  QApplication::restoreOverrideCursor();
}

}  // namespace vorbel::ui
