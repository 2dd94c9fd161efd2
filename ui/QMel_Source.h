#pragma once

// The main window: one instance of TQMel_V1_by_Tavik, built from the window
// description, with the handlers that call into the launcher core.

#include "core/LauncherState.h"
#include "core/LauncherWindow.h"
#include "ui/FormDescription.h"

#include <QWidget>
#include <functional>
#include <memory>

class QGroupBox;

namespace qmel {
class AboutPicture;
class ByteLineEdit;
class ByteMemo;
class DirectoryListBox;
class DriveComboBox;
class FileListBox;
class Platform;
class PushButton;
class RomBrowser;
class StatusBar;
}  // namespace qmel

// What the close sequence does after OnClose.
enum class TCloseAction { caNone, caHide, caFree, caMinimize };

class TQMel_V1_by_Tavik : public QWidget, public qmel::LauncherWindow {
    Q_OBJECT
public:
    explicit TQMel_V1_by_Tavik(qmel::Platform& platform, QWidget* parent = nullptr);
    ~TQMel_V1_by_Tavik() override;

    // The controls, owned by the window.
    qmel::PushButton* Start = nullptr;
    qmel::ByteLineEdit* Edit1 = nullptr;
    qmel::DriveComboBox* DriveComboBox1 = nullptr;
    qmel::DirectoryListBox* DirectoryListBox1 = nullptr;
    qmel::FileListBox* FileListBox1 = nullptr;
    qmel::StatusBar* StatusBar1 = nullptr;
    qmel::PushButton* MailToMe = nullptr;
    qmel::PushButton* Quit = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QGroupBox* DBoyPath = nullptr;
    QGroupBox* GameboyRoms = nullptr;
    QGroupBox* Controls = nullptr;
    QGroupBox* FileManager = nullptr;
    QGroupBox* About = nullptr;
    qmel::ByteMemo* Memo3 = nullptr;
    qmel::AboutPicture* Image1 = nullptr;
    qmel::ByteMemo* Memo1 = nullptr;
    qmel::ByteMemo* Memo2 = nullptr;

    // The handlers.
    void StartClick(QObject* Sender);
    void MailToMeClick(QObject* Sender);
    void QuitClick(QObject* Sender);
    void Test(QObject* Sender);
    void SciezkaRomy(QObject* Sender);
    void SaveConfig(QObject* Sender, TCloseAction& Action);

    // Raises OnCreate once the window is built, under the failure report.
    void raiseOnCreate();
    // What ends the program; the frame installs the real halt.
    void setHalt(std::function<void()> halt) { halt_ = std::move(halt); }

    qmel::RomBrowser& browser() { return *browser_; }

    // LauncherWindow
    std::string memoText(qmel::Memo memo) const override;
    void setMemoText(qmel::Memo memo, const std::string& text) override;
    std::string editText() const override;
    void setStatusText(const std::string& text) override;
    std::string directoryListDirectory() const override;
    void setDirectoryListDirectory(const std::string& text) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildControls();
    QWidget* createControl(const qmel::ControlDescription& description, QWidget* parent);
    void bindEvents();

    qmel::Platform& platform_;
    std::unique_ptr<qmel::RomBrowser> browser_;
    std::function<void()> halt_;
};

// The one main window of the program.
extern TQMel_V1_by_Tavik* QMel_V1_by_Tavik;

// The launcher state of this run.
qmel::LauncherState& launcherState();
