// The frame around the handlers: settings load before the window shows,
// close and Quit each saving once, failures shown and survived, Start and a
// double-click starting the emulator.

#include "CountingPlatform.h"
#include "support/Recorder.h"
#include "support/TempDir.h"
#include "ui/FailureBox.h"
#include "ui/FailureReport.h"
#include "ui/PushButton.h"
#include "ui/QMel_Source.h"
#include "ui/StatusBar.h"
#include "ui/browser/widgets/FileListBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <memory>

using namespace qmel::test;

namespace {
struct ShownFailure {
    std::string message;
    bool windowVisible;
};
}  // namespace

class WindowFrameTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TempDir> dir_;
    std::unique_ptr<ScopedCurrentDirectory> inStartDirectory_;
    std::unique_ptr<CountingPlatform> platform_;
    std::unique_ptr<TQMel_V1_by_Tavik> window_;
    std::vector<ShownFailure> failures_;
    int halts_ = 0;

    // Builds the window in the start-up directory, runs OnCreate, shows it.
    void start()
    {
        inStartDirectory_ = std::make_unique<ScopedCurrentDirectory>(dir_->path());
        window_ = std::make_unique<TQMel_V1_by_Tavik>(*platform_);
        window_->setHalt([this] { ++halts_; });
        window_->raiseOnCreate();
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    }

private slots:
    void init()
    {
        dir_ = std::make_unique<TempDir>();
        platform_ = std::make_unique<CountingPlatform>();
        failures_.clear();
        halts_ = 0;
        qmel::setFailureBox([this](const std::string& message) {
            failures_.push_back({message, window_ && window_->isVisible()});
        });
    }

    void cleanup()
    {
        window_.reset();
        inStartDirectory_.reset();
        dir_.reset();
    }

    void firstRunCloseSavesOnceAndHalts()
    {
        start();
        QCOMPARE(window_->memoText(qmel::Memo::Memo1), dir_->path());
        window_->close();
        QCOMPARE(halts_, 1);
        QCOMPARE(platform_->replaces, 2);
        QVERIFY(failures_.empty());
        QCOMPARE(readBytes(*dir_ / "QMel_DBoyPath.ini"), dir_->path());
        QCOMPARE(readBytes(*dir_ / "Qmel_DBoyRoms.ini"), std::string());
        // The halt, not the close, takes the window away.
        QVERIFY(window_->isVisible());
    }

    void quitSavesOnceWithoutClosing()
    {
        start();
        QTest::mouseClick(window_->Quit, Qt::LeftButton);
        QCOMPARE(halts_, 1);
        QCOMPARE(platform_->replaces, 2);
        QCOMPARE(readBytes(*dir_ / "QMel_DBoyPath.ini"), dir_->path());
    }

    void failingSaveKeepsTheWindowOpen()
    {
        const std::string missing = *dir_ / "missing";
        dir_->write("QMel_DBoyPath.ini", missing);
        start();
        const std::string expected = "Cannot create file " + missing + "/QMel_DBoyPath.ini";
        window_->close();
        window_->close();
        QTest::mouseClick(window_->Quit, Qt::LeftButton);
        QCOMPARE(halts_, 0);
        QCOMPARE(failures_.size(), std::size_t(3));
        for (const auto& failure : failures_)
            QCOMPARE(failure.message, expected);
        QVERIFY(window_->isVisible());
        // The path file in the start-up directory is untouched.
        QCOMPARE(readBytes(*dir_ / "QMel_DBoyPath.ini"), missing);
    }

    void failingLoadIsShownBeforeTheWindow()
    {
        dir_->write("QMel_DBoyRoms.ini", *dir_ / "nosuch");
        start();
        QCOMPARE(failures_.size(), std::size_t(1));
        QCOMPARE(failures_[0].message, std::string("File not found"));
        QVERIFY(!failures_[0].windowVisible);
        // The path part of the load ran; the browser stayed where it started.
        QCOMPARE(window_->memoText(qmel::Memo::Memo1), dir_->path());
        QCOMPARE(window_->directoryListDirectory(), dir_->path());
        QVERIFY(window_->isVisible());
    }

    void startAndDoubleClickRunTheEmulator()
    {
        dir_->makeDirectory("emu");
        dir_->makeDirectory("roms");
        dir_->makeDirectory("records");
        dir_->write("roms/tetris.gb", "rom");
        installRecorder(*dir_ / "emu/dboy.exe");
        qputenv("QMEL_RECORDER_DIR", QByteArray::fromStdString(*dir_ / "records"));
        dir_->write("QMel_DBoyPath.ini", *dir_ / "emu");
        dir_->write("QMel_DBoyRoms.ini", *dir_ / "roms");
        start();
        QVERIFY(failures_.empty());
        QCOMPARE(window_->memoText(qmel::Memo::Memo2), *dir_ / "roms");

        QTest::mouseClick(window_->Start, Qt::LeftButton);
        auto records = waitForRecords(*dir_ / "records", 1);
        QCOMPARE(records.size(), std::size_t(1));
        const std::vector<std::string> withMask{*dir_ / "emu/dboy.exe", "-verbose", "0", "*.zip;*.gb;*.gbc"};
        QCOMPARE(records[0].arguments, withMask);
        QCOMPARE(records[0].workingDirectory, *dir_ / "roms");
        QCOMPARE(window_->StatusBar1->panelText(1), QStringLiteral("...Ready..."));

        // A double-click on a file puts its name into Edit1, then starts once.
        QListView* files = window_->FileListBox1;
        const QRect row = files->visualRect(files->model()->index(0, 0));
        QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, row.center());
        QTest::mouseDClick(files->viewport(), Qt::LeftButton, {}, row.center());
        records = waitForRecords(*dir_ / "records", 2);
        QCOMPARE(records.size(), std::size_t(2));
        QCOMPARE(records[1].arguments.back(), std::string("tetris.gb"));
        QCOMPARE(platform_->starts, 2);
        qunsetenv("QMEL_RECORDER_DIR");
    }

    void failureBoxShowsTheMessageWithItsFullStop()
    {
        QString title, text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        int buttons = 0;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            title = box->windowTitle();
            text = box->text();
            icon = box->icon();
            buttons = box->buttons().size();
            box->button(QMessageBox::Ok)->click();
        });
        qmel::showFailureBox("Cannot create file /x/QMel_DBoyPath.ini");
        QCOMPARE(title, QStringLiteral("QMel v1.2"));
        QCOMPARE(text, QStringLiteral("Cannot create file /x/QMel_DBoyPath.ini."));
        QCOMPARE(icon, QMessageBox::Critical);
        QCOMPARE(buttons, 1);
    }
};

QTEST_MAIN(WindowFrameTest)
#include "WindowFrameTest.moc"
