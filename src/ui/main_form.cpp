// The main window: construction of its controls and what it does when it is
// created.

#include "ui/main_form.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QTreeView>
#include <QVBoxLayout>

#include <new>

#include "controls/fnp_combo_color.h"
#include "controls/spin_edit.h"
#include "desktop/version_info.h"
#include "ui/about_box.h"
#include "ui/help_viewer.h"
#include "ui/layer_list_model.h"
#include "ui/preview_box.h"
#include "ui/resources.h"
#include "ui/splash_form.h"
#include "ui/up_down_button.h"

namespace vorbel::ui {
namespace {

// The part of a hint before "|" is the tool tip; the rest is shown nowhere.
QString ShortHint(const QString& hint) { return hint.section(u'|', 0, 0); }

// A tool button's action. A button without a hint shows no tool tip; as Qt
// makes one from an action's text, such an action gets no text, and its name
// goes to the tool button's accessible name instead (NameToolButtons).
QAction* MakeToolAction(QObject* parent, const QString& name, const QString& text, const QString& glyph,
                        const QString& hint) {
  auto* action = new QAction(QIcon(QStringLiteral(":/toolbar/") + glyph), hint.isEmpty() ? QString() : text, parent);
  action->setObjectName(name);
  action->setProperty("accessibleName", text);
  if (!hint.isEmpty()) action->setToolTip(ShortHint(hint));
  return action;
}

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

QByteArray ReadResource(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

TMainForm::TMainForm(MainFormOptions options, QWidget* parent)
    : QMainWindow(parent),
      options_(std::move(options)),
      commands_(doc_, *this, [this] { RenderButton(); }) {
  InitResources();
  setObjectName(QStringLiteral("MainForm"));
  setWindowIcon(QIcon(QStringLiteral(":/icons/vorbel_32.png")));

  BuildActions();
  BuildMenus();
  BuildToolBars();
  BuildPages();
  StatusBar1 = new QStatusBar(this);
  StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
  StatusBar1->setFixedHeight(19);
  setStatusBar(StatusBar1);

  // Design client size 500 x 329 below the menu bar.
  resize(500, 329 + menuBar()->sizeHint().height());

  BindDocument();
  FormCreate();
}

TMainForm::~TMainForm() = default;

void TMainForm::BuildActions() {
  tbtnNew = MakeToolAction(this, QStringLiteral("tbtnNew"), QStringLiteral("New"), QStringLiteral("new.png"), {});
  tbtnOpen =
      MakeToolAction(this, QStringLiteral("tbtnOpen"), QStringLiteral("Open"), QStringLiteral("open.png"), {});
  tbtnSave =
      MakeToolAction(this, QStringLiteral("tbtnSave"), QStringLiteral("Save"), QStringLiteral("save.png"), {});
  tbtnExport = MakeToolAction(this, QStringLiteral("tbtnExport"), QStringLiteral("Export"),
                              QStringLiteral("export.png"), {});
  btnRefresh = MakeToolAction(this, QStringLiteral("btnRefresh"), QStringLiteral("Refresh"),
                              QStringLiteral("refresh.png"), QStringLiteral("Refresh|Redraw the image"));
  tbtnUp = MakeToolAction(this, QStringLiteral("tbtnUp"), QStringLiteral("Up"), QStringLiteral("layer_up.png"),
                          QStringLiteral("Up|Move the current layer upwards"));
  tbtnDown = MakeToolAction(this, QStringLiteral("tbtnDown"), QStringLiteral("Down"),
                            QStringLiteral("layer_down.png"),
                            QStringLiteral("Down|Move the current layer towards the top of the image"));
  tbtnAddLayer = MakeToolAction(this, QStringLiteral("tbtnAddLayer"), QStringLiteral("Add layer"),
                                QStringLiteral("add_layer.png"), QStringLiteral("Add layer|Add a new layer"));
  tbtnDeleteLayer =
      MakeToolAction(this, QStringLiteral("tbtnDeleteLayer"), QStringLiteral("Delete layer"),
                     QStringLiteral("delete_layer.png"), QStringLiteral("Delete layer|Delete the current layer"));
  tbtnUp->setEnabled(false);
  tbtnDown->setEnabled(false);
  tbtnDeleteLayer->setEnabled(false);

  connect(tbtnNew, &QAction::triggered, this, &TMainForm::tbtnNewClick);
  connect(tbtnOpen, &QAction::triggered, this, &TMainForm::tbtnOpenClick);
  connect(tbtnSave, &QAction::triggered, this, &TMainForm::tbtnSaveClick);
  connect(tbtnExport, &QAction::triggered, this, &TMainForm::tbtnExportClick);
  connect(btnRefresh, &QAction::triggered, this, &TMainForm::btnRefreshClick);
  connect(tbtnUp, &QAction::triggered, this, &TMainForm::tbtnUpClick);
  connect(tbtnDown, &QAction::triggered, this, &TMainForm::tbtnDownClick);
  connect(tbtnAddLayer, &QAction::triggered, this, &TMainForm::tbtnAddLayerClick);
  connect(tbtnDeleteLayer, &QAction::triggered, this, &TMainForm::tbtnDeleteLayerClick);

  auto* help = new QAction(this);
  help->setShortcut(QKeySequence::HelpContents);
  help->setShortcutContext(Qt::WindowShortcut);
  connect(help, &QAction::triggered, this, &TMainForm::ContextHelp);
  addAction(help);
}

void TMainForm::BuildMenus() {
  QMenuBar* bar = menuBar();
  bar->setObjectName(QStringLiteral("MainMenu"));

  File1 = bar->addMenu(QStringLiteral("&File"));
  File1->setObjectName(QStringLiteral("File1"));
  New1 = MakeMenuAction(File1, QStringLiteral("New1"), QStringLiteral("&New"));
  Open1 = MakeMenuAction(File1, QStringLiteral("Open1"), QStringLiteral("&Open..."));
  Save1 = MakeMenuAction(File1, QStringLiteral("Save1"), QStringLiteral("&Save"));
  Saveas1 = MakeMenuAction(File1, QStringLiteral("Saveas1"), QStringLiteral("Save a&s..."));
  Export1 = MakeMenuAction(File1, QStringLiteral("Export1"), QStringLiteral("&Export..."));
  File1->addSeparator()->setObjectName(QStringLiteral("N1"));
  Exit1 = MakeMenuAction(File1, QStringLiteral("Exit1"), QStringLiteral("E&xit"));
  connect(New1, &QAction::triggered, this, &TMainForm::tbtnNewClick);
  connect(Open1, &QAction::triggered, this, &TMainForm::tbtnOpenClick);
  connect(Save1, &QAction::triggered, this, &TMainForm::tbtnSaveClick);
  connect(Saveas1, &QAction::triggered, this, &TMainForm::Saveas1Click);
  connect(Export1, &QAction::triggered, this, &TMainForm::Export1Click);
  connect(Exit1, &QAction::triggered, this, &TMainForm::Exit1Click);

  Layer1 = bar->addMenu(QStringLiteral("&Layer"));
  Layer1->setObjectName(QStringLiteral("Layer1"));
  New2 = MakeMenuAction(Layer1, QStringLiteral("New2"), QStringLiteral("&New..."));
  Delete1 = MakeMenuAction(Layer1, QStringLiteral("Delete1"), QStringLiteral("&Delete..."));
  Layer1->addSeparator()->setObjectName(QStringLiteral("N2"));
  Moveup1 = MakeMenuAction(Layer1, QStringLiteral("Moveup1"), QStringLiteral("Move &up"));
  Movedown1 = MakeMenuAction(Layer1, QStringLiteral("Movedown1"), QStringLiteral("Move &down"));
  connect(Layer1, &QMenu::aboutToShow, this, &TMainForm::Layer1Click);
  connect(New2, &QAction::triggered, this, &TMainForm::tbtnAddLayerClick);
  connect(Delete1, &QAction::triggered, this, &TMainForm::tbtnDeleteLayerClick);
  connect(Moveup1, &QAction::triggered, this, &TMainForm::tbtnUpClick);
  connect(Movedown1, &QAction::triggered, this, &TMainForm::tbtnDownClick);

  // A menu-bar entry without a menu: choosing it acts at once.
  Refresh1 = bar->addAction(QStringLiteral("&Refresh"));
  Refresh1->setObjectName(QStringLiteral("Refresh1"));
  connect(Refresh1, &QAction::triggered, this, &TMainForm::Refresh1Click);

  Help1 = bar->addMenu(QStringLiteral("&Help"));
  Help1->setObjectName(QStringLiteral("Help1"));
  Contents1 = MakeMenuAction(Help1, QStringLiteral("Contents1"), QStringLiteral("&Contents"));
  Search1 = MakeMenuAction(Help1, QStringLiteral("Search1"), QStringLiteral("&Search..."));
  Help1->addSeparator()->setObjectName(QStringLiteral("N3"));
  About1 = MakeMenuAction(Help1, QStringLiteral("About1"), QStringLiteral("&About..."));
  connect(Contents1, &QAction::triggered, this, &TMainForm::Contents1Click);
  connect(Search1, &QAction::triggered, this, &TMainForm::Search1Click);
  connect(About1, &QAction::triggered, this, &TMainForm::About1Click);

  pmnuLayers = new QMenu(this);
  pmnuLayers->setObjectName(QStringLiteral("pmnuLayers"));
  Edit1 = MakeMenuAction(pmnuLayers, QStringLiteral("Edit1"), QStringLiteral("&Edit..."));
  Add1 = MakeMenuAction(pmnuLayers, QStringLiteral("Add1"), QStringLiteral("&Add"));
  Delete2 = MakeMenuAction(pmnuLayers, QStringLiteral("Delete2"), QStringLiteral("&Delete"));
  Togglevisiblity1 = MakeMenuAction(pmnuLayers, QStringLiteral("Togglevisiblity1"), QStringLiteral("&Toggle visiblity"));
  Togglevisiblity1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
  pmnuLayers->setDefaultAction(Edit1);
  connect(pmnuLayers, &QMenu::aboutToShow, this, &TMainForm::pmnuLayersPopup);
  connect(Edit1, &QAction::triggered, this, &TMainForm::Edit1Click);
  connect(Add1, &QAction::triggered, this, &TMainForm::tbtnAddLayerClick);
  connect(Delete2, &QAction::triggered, this, &TMainForm::tbtnDeleteLayerClick);
  connect(Togglevisiblity1, &QAction::triggered, this, &TMainForm::Togglevisiblity1Click);
}

void TMainForm::BuildToolBars() {
  ToolBar1 = new QToolBar(QStringLiteral("Standard"), this);
  ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
  ToolBar1->setIconSize(QSize(16, 16));
  ToolBar1->setMovable(true);
  ToolBar1->addAction(tbtnNew);
  ToolBar1->addAction(tbtnOpen);
  ToolBar1->addAction(tbtnSave);
  ToolBar1->addSeparator();
  ToolBar1->addAction(tbtnExport);
  ToolBar1->addSeparator();
  ToolBar1->addAction(btnRefresh);
  ToolBar1->addSeparator();
  ToolBar1->addAction(tbtnUp);
  ToolBar1->addAction(tbtnDown);
  ToolBar1->addSeparator();
  ToolBar1->addAction(tbtnAddLayer);
  ToolBar1->addAction(tbtnDeleteLayer);
  addToolBar(Qt::TopToolBarArea, ToolBar1);
  NameToolButtons(*ToolBar1);

  ToolBar2 = new QToolBar(QStringLiteral("Offset"), this);
  ToolBar2->setObjectName(QStringLiteral("ToolBar2"));
  ToolBar2->setMovable(true);
  pnlOffset = new QWidget(ToolBar2);
  pnlOffset->setObjectName(QStringLiteral("pnlOffset"));
  // The spin buttons are one pixel taller than the panel, which cuts off
  // their last row: each arrow shows 10 pixels.
  pnlOffset->setFixedSize(96, 20);
  btnLeft = new QPushButton(QStringLiteral("left"), pnlOffset);
  btnLeft->setObjectName(QStringLiteral("btnLeft"));
  btnLeft->setGeometry(2, 0, 26, 20);
  sbtnX = new UpDownButton(pnlOffset);
  sbtnX->setObjectName(QStringLiteral("sbtnX"));
  sbtnX->setGeometry(29, 0, 16, 21);
  btnTop = new QPushButton(QStringLiteral("top"), pnlOffset);
  btnTop->setObjectName(QStringLiteral("btnTop"));
  btnTop->setGeometry(50, 0, 26, 20);
  sbtnY = new UpDownButton(pnlOffset);
  sbtnY->setObjectName(QStringLiteral("sbtnY"));
  sbtnY->setGeometry(77, 0, 16, 21);
  for (QPushButton* b : {btnLeft, btnTop}) {
    // Captions this short need the button's margins gone to fit 26 pixels.
    b->setStyleSheet(QStringLiteral("padding: 0px;"));
  }
  pnlOffset->setEnabled(false);
  ToolBar2->addWidget(pnlOffset);
  addToolBar(Qt::TopToolBarArea, ToolBar2);

  connect(btnLeft, &QPushButton::clicked, this, &TMainForm::btnLeftClick);
  connect(btnTop, &QPushButton::clicked, this, &TMainForm::btnTopClick);
  connect(sbtnX, &UpDownButton::upClicked, this, &TMainForm::sbtnXUpClick);
  connect(sbtnX, &UpDownButton::downClicked, this, &TMainForm::sbtnXDownClick);
  connect(sbtnY, &UpDownButton::upClicked, this, &TMainForm::sbtnYUpClick);
  connect(sbtnY, &UpDownButton::downClicked, this, &TMainForm::sbtnYDownClick);
}

void TMainForm::BuildPages() {
  pnlPreview = new QFrame;
  pnlPreview->setObjectName(QStringLiteral("pnlPreview"));
  pnlPreview->setFrameShape(QFrame::NoFrame);
  pnlPreview->setAutoFillBackground(true);
  pnlPreview->setMinimumHeight(20);
  pbxPreview = new PreviewBox(pnlPreview);
  pbxPreview->move(2, 2);
  pbxPreview->resize(121, 51);
  pbxPreview->SetPaintHandler([this] { RenderButton(); });

  Panel3 = new QWidget;
  Panel3->setObjectName(QStringLiteral("Panel3"));
  auto* panelLayout = new QVBoxLayout(Panel3);
  panelLayout->setContentsMargins(0, 0, 0, 0);
  PageControl1 = new QTabWidget(Panel3);
  PageControl1->setObjectName(QStringLiteral("PageControl1"));
  panelLayout->addWidget(PageControl1);

  tbshtButton = new QWidget;
  tbshtButton->setObjectName(QStringLiteral("tbshtButton"));
  Label7 = new QLabel(QStringLiteral("Height"), tbshtButton);
  Label7->setObjectName(QStringLiteral("Label7"));
  Label7->move(5, 5);
  sedtHeight = new SpinEdit(tbshtButton);
  sedtHeight->setObjectName(QStringLiteral("sedtHeight"));
  sedtHeight->setGeometry(5, 20, 156, sedtHeight->sizeHint().height());
  sedtHeight->setToolTip(ShortHint(QStringLiteral("|Set the overall hight of the button")));
  Label8 = new QLabel(QStringLiteral("Width"), tbshtButton);
  Label8->setObjectName(QStringLiteral("Label8"));
  Label8->move(185, 5);
  sedtWidth = new SpinEdit(tbshtButton);
  sedtWidth->setObjectName(QStringLiteral("sedtWidth"));
  sedtWidth->setGeometry(185, 20, 156, sedtWidth->sizeHint().height());
  sedtWidth->setToolTip(ShortHint(QStringLiteral("|Set the overall width of the button")));
  Label11 = new QLabel(QStringLiteral("Workarea color"), tbshtButton);
  Label11->setObjectName(QStringLiteral("Label11"));
  Label11->move(5, 50);
  cclrWorkArea = new TFnpComboColor(doc_.WorkArea(), tbshtButton);
  cclrWorkArea->setObjectName(QStringLiteral("cclrWorkArea"));
  cclrWorkArea->setGeometry(5, 65, 156, 22);
  cclrWorkArea->setToolTip(ShortHint(QStringLiteral("|Set the background of the workarea")));
  cbxBorder = new QCheckBox(QStringLiteral("Show image border"), tbshtButton);
  cbxBorder->setObjectName(QStringLiteral("cbxBorder"));
  cbxBorder->setGeometry(185, 70, 151, 17);
  btnRandomize = new QPushButton(QStringLiteral("Randomize"), tbshtButton);
  btnRandomize->setObjectName(QStringLiteral("btnRandomize"));
  btnRandomize->setGeometry(260, 95, 75, 25);
  btnRandomize->hide();
  connect(btnRandomize, &QPushButton::clicked, this, &TMainForm::btnRandomizeClick);
  PageControl1->addTab(tbshtButton, QStringLiteral("Button"));

  tbshtLayers = new QWidget;
  tbshtLayers->setObjectName(QStringLiteral("tbshtLayers"));
  BuildLayerList();
  PageControl1->addTab(tbshtLayers, QStringLiteral("Layers"));

  Splitter1 = new QSplitter(Qt::Vertical, this);
  Splitter1->setObjectName(QStringLiteral("Splitter1"));
  Splitter1->setHandleWidth(3);
  Splitter1->setChildrenCollapsible(false);
  Splitter1->addWidget(pnlPreview);
  Splitter1->addWidget(Panel3);
  Splitter1->setStretchFactor(0, 1);
  Splitter1->setStretchFactor(1, 0);
  Splitter1->setSizes({101, 176});
  setCentralWidget(Splitter1);
}

void TMainForm::BuildLayerList() {
  auto* layout = new QVBoxLayout(tbshtLayers);
  layout->setContentsMargins(0, 0, 0, 0);
  lvItems = new QTreeView(tbshtLayers);
  lvItems->setObjectName(QStringLiteral("lvItems"));
  lvItemsModel = new LayerListModel(doc_, lvItems);
  lvItems->setModel(lvItemsModel);
  lvItems->setRootIsDecorated(false);
  lvItems->setItemsExpandable(false);
  lvItems->setUniformRowHeights(true);
  lvItems->setAllColumnsShowFocus(true);
  lvItems->setSelectionBehavior(QAbstractItemView::SelectRows);
  lvItems->setSelectionMode(QAbstractItemView::SingleSelection);
  lvItems->setEditTriggers(QAbstractItemView::NoEditTriggers);
  lvItems->setIconSize(QSize(16, 16));
  lvItems->setTextElideMode(Qt::ElideRight);
  lvItems->header()->setStretchLastSection(false);
  lvItems->header()->setSectionsMovable(false);
  for (int c = 0; c < LayerListModel::kColumnCount; ++c) {
    lvItems->header()->resizeSection(c, LayerListModel::kColumnWidths[c]);
  }
  // The selection stays visible when the list loses the focus.
  QPalette palette = lvItems->palette();
  for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText}) {
    palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
  }
  lvItems->setPalette(palette);
  layout->addWidget(lvItems);

  lvItems->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(lvItems, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& pos) { pmnuLayers->popup(lvItems->viewport()->mapToGlobal(pos)); });
  connect(lvItems, &QAbstractItemView::doubleClicked, this, &TMainForm::lvItemsDblClick);
  // Ctrl+H toggles the current layer while the list has the keyboard focus.
  auto* toggle = new QAction(lvItems);
  toggle->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
  toggle->setShortcutContext(Qt::WidgetShortcut);
  connect(toggle, &QAction::triggered, this, &TMainForm::Togglevisiblity1Click);
  lvItems->addAction(toggle);
  connect(lvItems->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
    // While rows come and go the view moves its selection about by itself;
    // the document's selection is the one that counts and is shown after.
    if (syncing_ || lvItemsModel->Changing()) return;
    const QModelIndexList rows = lvItems->selectionModel()->selectedRows();
    const int row = rows.isEmpty() ? -1 : rows.front().row();
    if (row != doc_.SelectedRow()) doc_.SelectRow(row);
  });
}

void TMainForm::FormCreate() {
  PageControl1->setCurrentWidget(tbshtButton);

  document::FillColorList(doc_.WorkArea());
  doc_.SetWorkAreaColor(document::ButtonDocument::kInitialWorkArea);

  FindHelpFile();

  renderer_.Gradient().steps = 255;
  renderer_.Gradient().BuildPalette();

  doc_.SetUntitled();

  if (options_.registerFileType) RegisterLayoutFileType();

  doc_.SetLoading(false);

  if (!options_.arguments.isEmpty()) {
    const QString& first = options_.arguments.front();
    const QFileInfo info(first);
    if (!first.isEmpty() && info.exists() && !info.isDir()) {
      Guarded([&] { LoadLayoutFile(first.toStdString()); });
    }
  }
}

void TMainForm::FindHelpFile() {
  const QString working =
      options_.workingDirectory.isEmpty() ? QDir::currentPath() : options_.workingDirectory;
  QString programDir = options_.programDirectory;
  if (programDir.isEmpty()) {
    const QString program = QString::fromStdString(desktop::ProgramFilePath());
    programDir = program.isEmpty() ? QCoreApplication::applicationDirPath() : QFileInfo(program).absolutePath();
  }
  // The help file in the working folder counts only when the program has none
  // of its own: beside it (a build tree), or with the shared data of an
  // installed program (<prefix>/lib/vorbel/vorbel-window finds
  // <prefix>/share/vorbel/help/winhelp).
  help_file_ = HelpViewer::FindHelpFile(working, programDir);
  const QString beside = QFileInfo(QDir(programDir).filePath(QStringLiteral("help/winhelp/") +
                                                              QLatin1String(HelpViewer::kHelpFileName)))
                             .absoluteFilePath();
  if (help_file_ == beside) return;
  const QString shared = options_.sharedDataDirectory.isEmpty()
                             ? QDir(programDir).absoluteFilePath(QStringLiteral("../../share/vorbel"))
                             : options_.sharedDataDirectory;
  const QString installed = QDir::cleanPath(shared + QStringLiteral("/help/winhelp/") +
                                            QLatin1String(HelpViewer::kHelpFileName));
  if (QFileInfo(installed).isFile()) help_file_ = installed;
}

void TMainForm::RegisterLayoutFileType() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  try {
    QString program = options_.programPath;
    if (program.isEmpty()) program = qEnvironmentVariable("VORBEL_PROGRAM");
    if (program.isEmpty()) program = QString::fromStdString(desktop::ProgramFilePath());
    desktop::FileTypeIcons icons;
    icons.documentIconPng = ReadResource(QStringLiteral(":/icons/layout_document_32.png")).toStdString();
    for (int size : {16, 32, 48, 64, 128, 256}) {
      QByteArray png = ReadResource(QStringLiteral(":/icons/vorbel_%1.png").arg(size));
      if (!png.isEmpty()) icons.programIconsPng.emplace_back(size, png.toStdString());
    }
    if (options_.commandRunner) {
      desktop::RegisterLayoutFileType(program.toStdString(), options_.dataHome, icons, options_.commandRunner);
    } else {
      desktop::RegisterLayoutFileType(program.toStdString(), options_.dataHome, icons);
    }
  } catch (const std::bad_alloc&) {
    // Registration is a convenience: start-up goes on without it. It reports
    // no failure of its own.
  }
  QApplication::restoreOverrideCursor();
}

}  // namespace vorbel::ui
