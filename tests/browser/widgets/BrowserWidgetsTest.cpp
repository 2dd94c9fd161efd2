// The browser's controls driven as a user drives them, on the offscreen
// platform, over a real temporary tree.

#include "support/TempDir.h"
#include "tests/browser/RecordingFileEdit.h"
#include "tests/browser/VolumePlatform.h"
#include "ui/FailureReport.h"
#include "ui/browser/RomBrowser.h"
#include "ui/browser/widgets/DirectoryListBox.h"
#include "ui/browser/widgets/DriveComboBox.h"
#include "ui/browser/widgets/FileListBox.h"

#include <QScrollBar>
#include <QTest>
#include <QVBoxLayout>

#include <fcntl.h>
#include <memory>
#include <unistd.h>

namespace qmel {
namespace {

// The frame with the three controls, built as the window builds it.
struct Frame {
    Frame(Platform& platform, FileEdit& edit) : browser(platform, edit)
    {
        auto* layout = new QVBoxLayout(&window);
        drives = new DriveComboBox(browser.driveBox(), &window);
        directories = new DirectoryListBox(browser.directoryList(), &window);
        files = new FileListBox(browser.fileList(), &window);
        layout->addWidget(drives);
        layout->addWidget(directories);
        layout->addWidget(files);
        window.resize(249, 400);
        browser.createWindows();
    }

    RomBrowser browser;
    QWidget window;
    DriveComboBox* drives;
    DirectoryListBox* directories;
    FileListBox* files;
};

}  // namespace

class BrowserWidgetsTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void clickingAFilePutsItsNameIntoTheEdit();
    void aClickOnTheRowLastReportedKeepsTypedText();
    void arrowKeysInTheFileListReportTheSelection();
    void aDoubleClickOnAFileRunsTheHandlerOnce();
    void namesThatAreNotUtf8ShowReplacementCharactersButKeepTheirBytes();
    void aSingleClickOnADirectoryOnlyMovesTheSelection();
    void aDoubleClickOnADirectoryOpensIt();
    void enterOpensTheSelectedDirectory();
    void aFailedOpenReachesTheFailureBoxAndChangesNothing();
    void choosingAVolumeInTheDriveBoxEntersIt();
    void theDriveBoxShowsTheMachinesVolumes();
    void aHundredThousandFilesUseUniformRowsAndScrollWithoutReading();

private:
    void startFrame();
    QPoint centreOfRow(QListView* view, int row);
    void doubleClickRow(QListView* view, int row);
    int rowNamed(const std::vector<std::string>& rows, const std::string& name);
    int subdirectoryRow(const std::string& name);

    std::unique_ptr<test::TempDir> tree_;
    std::unique_ptr<test::ScopedCurrentDirectory> inTree_;
    std::unique_ptr<test::VolumePlatform> platform_;
    std::unique_ptr<test::RecordingFileEdit> edit_;
    std::unique_ptr<Frame> frame_;
    std::vector<std::string> changes_;
    std::vector<std::string> doubleClickEdits_;
    std::vector<std::string> failures_;
};

void BrowserWidgetsTest::init()
{
    tree_ = std::make_unique<test::TempDir>();
    for (const char* name : {"tetris.gb", "ROMS.ZIP", "Zelda.GBC", "caf\xE9.gb"})
        tree_->write(std::string("roms/") + name, "rom");
    tree_->makeDirectory("roms/SAVE");
    tree_->makeDirectory("roms/other");
    inTree_ = std::make_unique<test::ScopedCurrentDirectory>(*tree_ / "roms");
    platform_ = std::make_unique<test::VolumePlatform>();
    edit_ = std::make_unique<test::RecordingFileEdit>();
    changes_.clear();
    doubleClickEdits_.clear();
    failures_.clear();
    setFailureBox([this](const std::string& message) { failures_.push_back(message); });
}

void BrowserWidgetsTest::cleanup()
{
    setFailureBox({});
    frame_.reset();
    edit_.reset();
    platform_.reset();
    inTree_.reset();
    tree_.reset();
}

void BrowserWidgetsTest::startFrame()
{
    frame_ = std::make_unique<Frame>(*platform_, *edit_);
    frame_->browser.setOnChange([this] { changes_.push_back(frame_->browser.directoryList().directory()); });
    frame_->browser.setOnFileDoubleClick([this] { doubleClickEdits_.push_back(edit_->text); });
    frame_->window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame_->window));
}

QPoint BrowserWidgetsTest::centreOfRow(QListView* view, int row)
{
    view->scrollTo(view->model()->index(row, 0));
    return view->visualRect(view->model()->index(row, 0)).center();
}

// Through the window, so that the view gets what a real double-click gives
// it: press, release, double-click, release.
void BrowserWidgetsTest::doubleClickRow(QListView* view, int row)
{
    const QPoint inWindow = view->viewport()->mapTo(&frame_->window, centreOfRow(view, row));
    QTest::mouseDClick(frame_->window.windowHandle(), Qt::LeftButton, {}, inWindow);
}

int BrowserWidgetsTest::rowNamed(const std::vector<std::string>& rows, const std::string& name)
{
    const auto found = std::find(rows.begin(), rows.end(), name);
    return found == rows.end() ? -1 : static_cast<int>(found - rows.begin());
}

int BrowserWidgetsTest::subdirectoryRow(const std::string& name)
{
    const auto& rows = frame_->browser.directoryList().rows();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].kind == DirectoryRowKind::Subdirectory && rows[i].name == name)
            return static_cast<int>(i);
    }
    return -1;
}

void BrowserWidgetsTest::clickingAFilePutsItsNameIntoTheEdit()
{
    startFrame();
    QCOMPARE(edit_->text, std::string("*.zip;*.gb;*.gbc"));
    const int tetris = rowNamed(frame_->browser.fileList().rows(), "tetris.gb");
    QVERIFY(tetris >= 0);
    const int listingsBefore = platform_->listings;

    QTest::mouseClick(frame_->files->viewport(), Qt::LeftButton, {}, centreOfRow(frame_->files, tetris));
    QCOMPARE(edit_->text, std::string("tetris.gb"));
    QCOMPARE(frame_->files->currentIndex().row(), tetris);
    QVERIFY(frame_->files->selectionModel()->isRowSelected(tetris));
    QCOMPARE(platform_->listings, listingsBefore);
    QVERIFY(changes_.empty());
    QVERIFY(doubleClickEdits_.empty());
}

void BrowserWidgetsTest::aClickOnTheRowLastReportedKeepsTypedText()
{
    startFrame();
    const auto& rows = frame_->browser.fileList().rows();
    const int tetris = rowNamed(rows, "tetris.gb");
    const int zelda = rowNamed(rows, "Zelda.GBC");
    QTest::mouseClick(frame_->files->viewport(), Qt::LeftButton, {}, centreOfRow(frame_->files, tetris));
    edit_->type("TEST.GB");
    QTest::mouseClick(frame_->files->viewport(), Qt::LeftButton, {}, centreOfRow(frame_->files, tetris));
    QCOMPARE(edit_->text, std::string("TEST.GB"));
    QTest::mouseClick(frame_->files->viewport(), Qt::LeftButton, {}, centreOfRow(frame_->files, zelda));
    QTest::mouseClick(frame_->files->viewport(), Qt::LeftButton, {}, centreOfRow(frame_->files, tetris));
    QCOMPARE(edit_->text, std::string("tetris.gb"));
}

void BrowserWidgetsTest::arrowKeysInTheFileListReportTheSelection()
{
    startFrame();
    const auto& rows = frame_->browser.fileList().rows();
    QTest::mouseClick(frame_->files->viewport(), Qt::LeftButton, {}, centreOfRow(frame_->files, 0));
    QCOMPARE(edit_->text, rows[0]);
    QTest::keyClick(frame_->files, Qt::Key_Down);
    QCOMPARE(edit_->text, rows[1]);
    QCOMPARE(frame_->browser.fileList().selectedRow(), std::optional<std::size_t>(1));
    QTest::keyClick(frame_->files, Qt::Key_End);
    QCOMPARE(edit_->text, rows.back());
}

void BrowserWidgetsTest::aDoubleClickOnAFileRunsTheHandlerOnce()
{
    startFrame();
    const int zelda = rowNamed(frame_->browser.fileList().rows(), "Zelda.GBC");
    doubleClickRow(frame_->files, zelda);
    QCOMPARE(doubleClickEdits_, std::vector<std::string>{"Zelda.GBC"});
    QCOMPARE(edit_->text, std::string("Zelda.GBC"));
    QVERIFY(changes_.empty());
}

void BrowserWidgetsTest::namesThatAreNotUtf8ShowReplacementCharactersButKeepTheirBytes()
{
    startFrame();
    const int cafe = rowNamed(frame_->browser.fileList().rows(), "caf\xE9.gb");
    QVERIFY(cafe >= 0);
    const QString shown = frame_->files->model()->index(cafe, 0).data().toString();
    QCOMPARE(shown, QString::fromUtf8("caf\xEF\xBF\xBD.gb"));  // U+FFFD in place of the byte
    doubleClickRow(frame_->files, cafe);
    QCOMPARE(edit_->text, std::string("caf\xE9.gb"));
    QCOMPARE(doubleClickEdits_, std::vector<std::string>{"caf\xE9.gb"});
}

void BrowserWidgetsTest::aSingleClickOnADirectoryOnlyMovesTheSelection()
{
    startFrame();
    const int save = subdirectoryRow("SAVE");
    QVERIFY(save >= 0);
    const int listingsBefore = platform_->listings;
    QTest::mouseClick(frame_->directories->viewport(), Qt::LeftButton, {}, centreOfRow(frame_->directories, save));
    QCOMPARE(frame_->browser.directoryList().selectedRow(), std::optional<std::size_t>(save));
    QCOMPARE(frame_->directories->currentIndex().row(), save);
    QCOMPARE(frame_->browser.directoryList().directory(), *tree_ / "roms");
    QCOMPARE(platform_->listings, listingsBefore);
    QTest::keyClick(frame_->directories, Qt::Key_Up);
    QCOMPARE(frame_->browser.directoryList().selectedRow(), std::optional<std::size_t>(save - 1));
    QCOMPARE(frame_->browser.directoryList().directory(), *tree_ / "roms");
    QVERIFY(changes_.empty());
}

void BrowserWidgetsTest::aDoubleClickOnADirectoryOpensIt()
{
    tree_->write("roms/SAVE/saved.gb", "rom");
    startFrame();
    const int save = subdirectoryRow("SAVE");
    doubleClickRow(frame_->directories, save);
    QCOMPARE(changes_, std::vector<std::string>{*tree_ / "roms/SAVE"});
    QCOMPARE(frame_->browser.fileList().rows(), std::vector<std::string>{"saved.gb"});
    QCOMPARE(frame_->files->model()->rowCount(), 1);
    QCOMPARE(edit_->text, std::string("*.zip;*.gb;*.gbc"));
    // The view shows the new rows with the current row selected.
    const auto current = frame_->browser.directoryList().selectedRow();
    QVERIFY(current.has_value());
    QCOMPARE(frame_->directories->currentIndex().row(), static_cast<int>(*current));
    QCOMPARE(frame_->directories->model()->index(static_cast<int>(*current), 0).data().toString(), QString("SAVE"));
}

void BrowserWidgetsTest::enterOpensTheSelectedDirectory()
{
    startFrame();
    const int other = subdirectoryRow("other");
    QTest::mouseClick(frame_->directories->viewport(), Qt::LeftButton, {}, centreOfRow(frame_->directories, other));
    QVERIFY(changes_.empty());
    QTest::keyClick(frame_->directories, Qt::Key_Return);
    QCOMPARE(changes_, std::vector<std::string>{*tree_ / "roms/other"});
    QCOMPARE(platform_->currentDirectory(), *tree_ / "roms/other");
}

void BrowserWidgetsTest::aFailedOpenReachesTheFailureBoxAndChangesNothing()
{
    startFrame();
    const int other = subdirectoryRow("other");
    QCOMPARE(rmdir((*tree_ / "roms/other").c_str()), 0);  // gone since the list was built
    doubleClickRow(frame_->directories, other);
    QCOMPARE(failures_, std::vector<std::string>{"File not found"});
    QCOMPARE(frame_->browser.directoryList().directory(), *tree_ / "roms");
    QVERIFY(changes_.empty());
}

void BrowserWidgetsTest::choosingAVolumeInTheDriveBoxEntersIt()
{
    tree_->write("usb/game.gb", "rom");
    Volume start;
    start.root = platform_->volumeRootOf(tree_->path());
    Volume usb;
    usb.root = *tree_ / "usb";
    usb.kind = VolumeKind::Removable;
    platform_->shownVolumes = {start, usb};
    startFrame();
    QCOMPARE(frame_->drives->count(), 2);
    QCOMPARE(frame_->drives->currentIndex(), 0);
    QCOMPARE(frame_->drives->itemText(1), QString::fromStdString(usb.root));

    frame_->drives->setFocus();
    QTest::keyClick(frame_->drives, Qt::Key_Down);
    QCOMPARE(frame_->drives->currentIndex(), 1);
    QCOMPARE(changes_, std::vector<std::string>{usb.root});
    QCOMPARE(frame_->browser.fileList().rows(), std::vector<std::string>{"game.gb"});
}

void BrowserWidgetsTest::theDriveBoxShowsTheMachinesVolumes()
{
    platform_.reset();
    platform_ = std::make_unique<test::VolumePlatform>();
    Platform& real = systemPlatform();
    const auto volumes = real.volumes();
    QVERIFY(!volumes.empty());
    platform_->shownVolumes = volumes;
    startFrame();
    QCOMPARE(frame_->drives->count(), static_cast<int>(volumes.size()));
    QCOMPARE(frame_->drives->itemText(0), QString::fromUtf8(DriveBox::rowText(volumes[0])));
    const auto selected = frame_->browser.driveBox().selectedRow();
    QCOMPARE(frame_->drives->currentIndex(), selected ? static_cast<int>(*selected) : -1);
}

void BrowserWidgetsTest::aHundredThousandFilesUseUniformRowsAndScrollWithoutReading()
{
    constexpr int count = 100000;
    tree_->makeDirectory("many");
    for (int i = 0; i < count; ++i) {
        const std::string name = *tree_ / ("many/rom" + std::to_string(i) + ".gb");
        const int fd = open(name.c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
        QVERIFY(fd >= 0);
        close(fd);
    }
    startFrame();
    frame_->browser.directoryList().setDirectory(*tree_ / "many");
    QCOMPARE(frame_->files->model()->rowCount(), count);
    QVERIFY(frame_->files->uniformItemSizes());
    QVERIFY(frame_->directories->uniformItemSizes());
    QCOMPARE(frame_->files->sizeHintForRow(count - 1), FileListBox::rowHeight);

    const int listingsBefore = platform_->listings;
    const QModelIndex last = frame_->files->model()->index(count - 1, 0);
    frame_->files->scrollToBottom();
    QVERIFY(frame_->files->viewport()->rect().intersects(frame_->files->visualRect(last)));
    QTest::mouseClick(frame_->files->viewport(), Qt::LeftButton, {}, frame_->files->visualRect(last).center());
    QCOMPARE(edit_->text, frame_->browser.fileList().rows().back());
    QCOMPARE(platform_->listings, listingsBefore);
}

}  // namespace qmel

QTEST_MAIN(qmel::BrowserWidgetsTest)
#include "BrowserWidgetsTest.moc"
