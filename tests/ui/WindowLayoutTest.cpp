// The built window against its description: geometry, texts, keyboard ring,
// hints, fonts and the status bar.

#include "platform/Platform.h"
#include "support/TempDir.h"
#include "ui/AboutPicture.h"
#include "ui/ApplicationSetUp.h"
#include "ui/ByteLineEdit.h"
#include "ui/ByteMemo.h"
#include "ui/FormDescription.h"
#include "ui/HintStyle.h"
#include "ui/PushButton.h"
#include "ui/QMel_Source.h"
#include "ui/StatusBar.h"

#include <QApplication>
#include <QGroupBox>
#include <QSignalSpy>
#include <QTest>
#include <memory>

using qmel::test::ScopedCurrentDirectory;
using qmel::test::TempDir;

class WindowLayoutTest : public QObject {
    Q_OBJECT

private:
    TempDir startDirectory_;
    std::unique_ptr<ScopedCurrentDirectory> inStartDirectory_;
    std::unique_ptr<TQMel_V1_by_Tavik> window_;

    QWidget* control(const char* name) const
    {
        return window_->findChild<QWidget*>(QString::fromUtf8(name));
    }

private slots:
    void initTestCase()
    {
        qmel::setUpApplication(*qApp);
        // MailToMe is pressed below: no mail handler may be found and started.
        qputenv("PATH", QByteArray::fromStdString(startDirectory_.path()));
        inStartDirectory_ = std::make_unique<ScopedCurrentDirectory>(startDirectory_.path());
        window_ = std::make_unique<TQMel_V1_by_Tavik>(qmel::systemPlatform());
        window_->show();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    }

    void cleanupTestCase()
    {
        window_.reset();
        inStartDirectory_.reset();
    }

    void windowProperties()
    {
        QCOMPARE(window_->windowTitle(), QStringLiteral("QMel V1,2 by Tavik"));
        QCOMPARE(window_->size(), QSize(536, 427));
        // Not resizable by the user.
        QCOMPARE(window_->minimumSize(), window_->maximumSize());
        QCOMPARE(window_->font().pixelSize(), 11);
        QVERIFY(!window_->font().fixedPitch());
    }

    void controlsMatchTheirDescription_data()
    {
        QTest::addColumn<int>("index");
        for (int index = 0; index < static_cast<int>(qmel::MainWindowControls.size()); ++index)
            QTest::newRow(qmel::MainWindowControls[index].name) << index;
    }

    void controlsMatchTheirDescription()
    {
        QFETCH(int, index);
        const auto& description = qmel::MainWindowControls[index];
        QWidget* widget = control(description.name);
        QVERIFY2(widget, description.name);
        QWidget* expectedParent = description.parent[0] ? control(description.parent) : window_.get();
        QCOMPARE(widget->parentWidget(), expectedParent);
        QCOMPARE(widget->geometry(),
                 QRect(description.left, description.top, description.width, description.height));
        QCOMPARE(widget->focusPolicy() != Qt::NoFocus, qmel::isTabStop(description.controlClass));

        const QString text = QString::fromUtf8(description.text);
        if (auto* box = qobject_cast<QGroupBox*>(widget))
            QCOMPARE(box->title(), text);
        if (auto* button = qobject_cast<QPushButton*>(widget)) {
            QCOMPARE(button->text(), text);
            QVERIFY(!button->isDefault());
            QVERIFY(!button->autoDefault());
        }
        if (auto* edit = qobject_cast<QLineEdit*>(widget))
            QCOMPARE(edit->text(), text);
    }

    void drawingOrderIsCreationOrder()
    {
        // Later siblings lie over earlier ones: the window's children in
        // creation order are its stacking order from the bottom.
        QStringList expected;
        for (const auto& description : qmel::MainWindowControls) {
            if (!description.parent[0])
                expected << QString::fromUtf8(description.name);
        }
        QStringList stacked;
        for (QObject* child : window_->children()) {
            if (auto* widget = qobject_cast<QWidget*>(child); widget && expected.contains(widget->objectName()))
                stacked << widget->objectName();
        }
        QCOMPARE(stacked, expected);
    }

    void tabRingBothWays()
    {
        const QStringList ring{"Start",   "Edit1", "DriveComboBox1", "DirectoryListBox1", "FileListBox1",
                               "MailToMe", "Quit", "Memo1",          "Memo2",             "Memo3"};
        QWidget* start = control("Start");
        start->setFocus();
        QCOMPARE(QApplication::focusWidget(), start);
        for (int step = 1; step <= ring.size(); ++step) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), ring[step % ring.size()]);
        }
        for (int step = ring.size() - 1; step >= 0; --step) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
            QCOMPARE(QApplication::focusWidget()->objectName(), ring[step]);
        }
    }

    void firstFocusIsStart()
    {
        TQMel_V1_by_Tavik fresh(qmel::systemPlatform());
        fresh.show();
        QVERIFY(QTest::qWaitForWindowActive(&fresh));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(fresh.Start));
    }

    void hintsOnlyOnTheThreeButtons()
    {
        QCOMPARE(window_->Start->toolTip(), QStringLiteral("Start Dboy"));
        QCOMPARE(window_->MailToMe->toolTip(), QStringLiteral("Send email to author"));
        QCOMPARE(window_->Quit->toolTip(), QStringLiteral("Exit QMel"));
        for (auto* button : {window_->Start, window_->MailToMe, window_->Quit})
            QCOMPARE(button->toolTipDuration(), 2500);
        QCOMPARE(QApplication::style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay), 500);

        const auto widgets = window_->findChildren<QWidget*>();
        for (QWidget* widget : widgets) {
            if (widget != window_->Start && widget != window_->MailToMe && widget != window_->Quit)
                QVERIFY2(widget->toolTip().isEmpty(), qPrintable(widget->objectName()));
        }
        QVERIFY(window_->toolTip().isEmpty());
    }

    void enterAndSpacePressTheFocusedButton_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("Space") << int(Qt::Key_Space);
    }

    void enterAndSpacePressTheFocusedButton()
    {
        QFETCH(int, key);
        QSignalSpy clicks(window_->MailToMe, &QPushButton::clicked);
        window_->MailToMe->setFocus();
        QTest::keyClick(window_->MailToMe, Qt::Key(key));
        QCOMPARE(clicks.count(), 1);
        // Enter in the edit presses nothing: there is no default button.
        QSignalSpy startClicks(window_->Start, &QPushButton::clicked);
        window_->Edit1->setFocus();
        QTest::keyClick(window_->Edit1, Qt::Key_Return);
        QTest::keyClick(window_->Edit1, Qt::Key_Escape);
        QCOMPARE(startClicks.count(), 0);
    }

    void memos()
    {
        for (auto* memo : {window_->Memo1, window_->Memo2}) {
            QCOMPARE(memo->lineWrapMode(), QPlainTextEdit::WidgetWidth);
            QCOMPARE(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
            QCOMPARE(memo->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
            QVERIFY(memo->toPlainText().isEmpty());
        }
        // Enter in Memo1 inserts a line break, stored as CR LF.
        window_->Memo1->setFocus();
        QTest::keyClicks(window_->Memo1, "a");
        QTest::keyClick(window_->Memo1, Qt::Key_Return);
        QTest::keyClicks(window_->Memo1, "b");
        QCOMPARE(window_->memoText(qmel::Memo::Memo1), std::string("a\r\nb"));
        window_->setMemoText(qmel::Memo::Memo1, "");

        qmel::ByteMemo* about = window_->Memo3;
        QVERIFY(about->isReadOnly());
        QCOMPARE(about->lineWrapMode(), QPlainTextEdit::NoWrap);
        QVERIFY(about->font().fixedPitch());
        QCOMPARE(about->font().pixelSize(), 11);
        QCOMPARE(about->palette().color(QPalette::Base), QColor(192, 192, 192));
        QStringList lines;
        for (const char* line : qmel::AboutLines)
            lines << QString::fromUtf8(line);
        QCOMPARE(about->toPlainText().split(QLatin1Char('\n')), lines);
        about->setFocus();
        QTest::keyClicks(about, "typed");
        QCOMPARE(about->toPlainText().split(QLatin1Char('\n')), lines);
    }

    void statusBar()
    {
        qmel::StatusBar* bar = window_->StatusBar1;
        QCOMPARE(bar->panelText(0), QStringLiteral("Status"));
        QCOMPARE(bar->panelText(1), QStringLiteral("...Ready..."));
        QCOMPARE(bar->panelRect(0), QRect(0, 0, 50, 19));
        QCOMPARE(bar->panelRect(1), QRect(50, 0, 486, 19));
    }

    void aboutPictureIsDrawnUnscaledWhereItBelongs()
    {
        qmel::AboutPicture* picture = window_->Image1;
        QCOMPARE(picture->pictureSize(), QSize(100, 100));
        QCOMPARE(picture->mapTo(window_.get(), QPoint(0, 0)), QPoint(416, 24));
        const QImage shot = window_->grab().toImage();
        QVERIFY(picture->isDecoded());
        // The picture's centre is not the window's button-face grey.
        const QColor centre = shot.pixelColor(416 + 50, 24 + 50);
        QVERIFY(centre != window_->palette().color(QPalette::Window));
    }
};

QTEST_MAIN(WindowLayoutTest)
#include "WindowLayoutTest.moc"
