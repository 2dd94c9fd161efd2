#include "ui/QMel_Source.h"

#include "core/Launches.h"
#include "core/Settings.h"
#include "platform/Platform.h"
#include "ui/AboutPicture.h"
#include "ui/ByteLineEdit.h"
#include "ui/ByteMemo.h"
#include "ui/ByteText.h"
#include "ui/FailureReport.h"
#include "ui/HintStyle.h"
#include "ui/PushButton.h"
#include "ui/StatusBar.h"
#include "ui/browser/RomBrowser.h"
#include "ui/browser/widgets/DirectoryListBox.h"
#include "ui/browser/widgets/DriveComboBox.h"
#include "ui/browser/widgets/FileListBox.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QHash>
#include <QStringList>

TQMel_V1_by_Tavik* QMel_V1_by_Tavik = nullptr;

namespace {
// The launcher state lives for the whole run, outside the window.
qmel::LauncherState unitLauncherState;

inline constexpr int StatusBarHeight = 19;

QFont windowFont()
{
    // Stands in for "MS Sans Serif", 11-pixel characters.
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    return font;
}

QFont aboutFont()
{
    // Stands in for "Lucida Console", a fixed-pitch face.
    QFont font(QStringLiteral("DejaVu Sans Mono"));
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    font.setPixelSize(11);
    return font;
}

void setUpMemo(qmel::ByteMemo* memo, bool wrap)
{
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo->setLineWrapMode(wrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    memo->setTabChangesFocus(true);
    memo->document()->setDocumentMargin(1);
    memo->setFrameShape(QFrame::StyledPanel);
    memo->setFrameShadow(QFrame::Sunken);
}
}  // namespace

qmel::LauncherState& launcherState() { return unitLauncherState; }

TQMel_V1_by_Tavik::TQMel_V1_by_Tavik(qmel::Platform& platform, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint),
      platform_(platform)
{
    setObjectName(QStringLiteral("QMel_V1_by_Tavik"));
    setWindowTitle(QString::fromUtf8(qmel::MainWindow.caption));
    setFont(windowFont());
    // Background in the button-face colour.
    QPalette windowPalette = palette();
    windowPalette.setColor(QPalette::Window, windowPalette.color(QPalette::Button));
    setPalette(windowPalette);
    setAutoFillBackground(true);
    // A thin fixed frame: the user cannot drag the window to another size.
    setFixedSize(qmel::MainWindow.clientWidth, qmel::MainWindow.clientHeight);
    move(qmel::MainWindow.left, qmel::MainWindow.top);

    buildControls();
    bindEvents();
    // The focus goes to Start when the window first becomes active.
    Start->setFocus();
    // The controls' windows exist now: the browser fills its lists.
    browser_->createWindows();
}

TQMel_V1_by_Tavik::~TQMel_V1_by_Tavik() = default;

void TQMel_V1_by_Tavik::buildControls()
{
    QHash<QString, QWidget*> byName;
    for (const auto& description : qmel::MainWindowControls) {
        QWidget* parent = description.parent[0] ? byName.value(QString::fromUtf8(description.parent)) : this;
        QWidget* control = createControl(description, parent);
        control->setObjectName(QString::fromUtf8(description.name));
        control->setGeometry(description.left, description.top, description.width, description.height);
        if (!qmel::isTabStop(description.controlClass))
            control->setFocusPolicy(Qt::NoFocus);
        byName.insert(control->objectName(), control);
    }

    // Keyboard order: Start, Edit1, DriveComboBox1, ..., Memo3, and round again.
    QWidget* previous = nullptr;
    for (const auto& name : qmel::keyboardOrder()) {
        QWidget* control = byName.value(QString::fromStdString(name));
        if (previous)
            setTabOrder(previous, control);
        previous = control;
    }

    for (const auto& hint : qmel::ButtonHints) {
        QWidget* button = byName.value(QString::fromUtf8(hint.button));
        button->setToolTip(QString::fromUtf8(hint.hint));
        button->setToolTipDuration(qmel::HintDurationMs);
    }
}

QWidget* TQMel_V1_by_Tavik::createControl(const qmel::ControlDescription& description, QWidget* parent)
{
    const QString text = QString::fromUtf8(description.text);
    switch (description.controlClass) {
    case qmel::ControlClass::GroupBox: {
        auto* box = new QGroupBox(text, parent);
        const QString name = QString::fromUtf8(description.name);
        if (name == QLatin1String("About")) About = box;
        else if (name == QLatin1String("FileManager")) FileManager = box;
        else if (name == QLatin1String("Controls")) Controls = box;
        else if (name == QLatin1String("GroupBox1")) GroupBox1 = box;
        else if (name == QLatin1String("GameboyRoms")) GameboyRoms = box;
        else DBoyPath = box;
        return box;
    }
    case qmel::ControlClass::Image:
        Image1 = new qmel::AboutPicture(QStringLiteral(":/about.jpg"), parent);
        return Image1;
    case qmel::ControlClass::Memo: {
        auto* memo = new qmel::ByteMemo(parent);
        const QString name = QString::fromUtf8(description.name);
        if (name == QLatin1String("Memo3")) {
            Memo3 = memo;
            setUpMemo(memo, false);
            memo->setFont(aboutFont());
            memo->setReadOnly(true);
            memo->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
            memo->setFocusPolicy(Qt::StrongFocus);
            QPalette silver = memo->palette();
            silver.setColor(QPalette::Base, QColor(192, 192, 192));
            memo->setPalette(silver);
            QStringList lines;
            for (const char* line : qmel::AboutLines)
                lines << QString::fromUtf8(line);
            memo->setPlainText(lines.join(QLatin1Char('\n')));
        } else {
            setUpMemo(memo, true);
            (name == QLatin1String("Memo1") ? Memo1 : Memo2) = memo;
        }
        return memo;
    }
    case qmel::ControlClass::BitBtn: {
        auto* button = new qmel::PushButton(text, parent);
        button->setAutoDefault(false);
        button->setDefault(false);
        const QString name = QString::fromUtf8(description.name);
        if (name == QLatin1String("Start")) Start = button;
        else if (name == QLatin1String("MailToMe")) MailToMe = button;
        else Quit = button;
        return button;
    }
    case qmel::ControlClass::Edit:
        Edit1 = new qmel::ByteLineEdit(parent);
        Edit1->setFileEditText(description.text);
        return Edit1;
    case qmel::ControlClass::DriveComboBox:
        // The browser's chain ends in Edit1, which exists by now.
        browser_ = std::make_unique<qmel::RomBrowser>(platform_, *Edit1);
        DriveComboBox1 = new qmel::DriveComboBox(browser_->driveBox(), parent);
        return DriveComboBox1;
    case qmel::ControlClass::DirectoryListBox:
        DirectoryListBox1 = new qmel::DirectoryListBox(browser_->directoryList(), parent);
        return DirectoryListBox1;
    case qmel::ControlClass::FileListBox:
        FileListBox1 = new qmel::FileListBox(browser_->fileList(), parent);
        return FileListBox1;
    case qmel::ControlClass::StatusBar:
        StatusBar1 = new qmel::StatusBar(parent);
        StatusBar1->setPanelText(0, QString::fromUtf8(qmel::StatusPanel0Text));
        StatusBar1->setPanelText(1, QStringLiteral("...Ready..."));
        return StatusBar1;
    }
    return nullptr;
}

// The event table: seven events, six handlers.
void TQMel_V1_by_Tavik::bindEvents()
{
    connect(Start, &QPushButton::clicked, this, [this] { qmel::reportFailures([this] { StartClick(Start); }); });
    connect(MailToMe, &QPushButton::clicked, this,
            [this] { qmel::reportFailures([this] { MailToMeClick(MailToMe); }); });
    connect(Quit, &QPushButton::clicked, this, [this] { qmel::reportFailures([this] { QuitClick(Quit); }); });
    // The browser's widgets already run these under the failure report.
    browser_->setOnFileDoubleClick([this] { StartClick(FileListBox1); });
    browser_->setOnChange([this] { SciezkaRomy(DirectoryListBox1); });
    // OnCreate and OnClose: raiseOnCreate() and closeEvent().
}

void TQMel_V1_by_Tavik::raiseOnCreate()
{
    qmel::reportFailures([this] { Test(this); });
}

void TQMel_V1_by_Tavik::StartClick(QObject*) { qmel::StartClick(unitLauncherState, *this, platform_); }

void TQMel_V1_by_Tavik::MailToMeClick(QObject*) { qmel::MailToMeClick(platform_); }

void TQMel_V1_by_Tavik::QuitClick(QObject*)
{
    qmel::SaveConfig(unitLauncherState, *this, platform_);
    // Reached only when the save went through: halt at once, without OnClose.
    if (halt_)
        halt_();
}

void TQMel_V1_by_Tavik::Test(QObject*) { qmel::Test(unitLauncherState, *this, platform_); }

void TQMel_V1_by_Tavik::SciezkaRomy(QObject*) { qmel::SciezkaRomy(*this); }

void TQMel_V1_by_Tavik::SaveConfig(QObject*, TCloseAction&) { qmel::SaveConfig(unitLauncherState, *this, platform_); }

void TQMel_V1_by_Tavik::closeEvent(QCloseEvent* event)
{
    // The window itself never goes away here: a save that went through ends
    // the program (the halt hides and destroys the window); one that failed
    // leaves everything as it was.
    event->ignore();
    TCloseAction action = TCloseAction::caHide;
    const bool saved = qmel::reportFailures([&] { SaveConfig(this, action); });
    if (saved && action != TCloseAction::caNone && halt_)
        halt_();
}

void TQMel_V1_by_Tavik::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // The status bar follows the bottom edge; everything else stays.
    if (StatusBar1)
        StatusBar1->setGeometry(0, height() - StatusBarHeight, width(), StatusBarHeight);
}

std::string TQMel_V1_by_Tavik::memoText(qmel::Memo memo) const
{
    return (memo == qmel::Memo::Memo1 ? Memo1 : Memo2)->bytes();
}

void TQMel_V1_by_Tavik::setMemoText(qmel::Memo memo, const std::string& text)
{
    (memo == qmel::Memo::Memo1 ? Memo1 : Memo2)->setBytes(text);
}

std::string TQMel_V1_by_Tavik::editText() const { return Edit1->bytes(); }

void TQMel_V1_by_Tavik::setStatusText(const std::string& text)
{
    StatusBar1->setPanelText(1, qmel::displayText(text));
    // The text must be on screen while the start is in progress.
    StatusBar1->repaint();
}

std::string TQMel_V1_by_Tavik::directoryListDirectory() const
{
    return browser_->directoryList().directory();
}

void TQMel_V1_by_Tavik::setDirectoryListDirectory(const std::string& text)
{
    browser_->directoryList().setDirectory(text);
}
