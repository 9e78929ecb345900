#include "app/hover_button.hpp"

#include <QApplication>
#include <QEnterEvent>
#include <QHelpEvent>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>

#include "app/bitmaps.hpp"
#include "gui/gui_test.hpp"

namespace plimo::test {
namespace {

enum class Picture { Normal = 0, Pressed = 1, Hover = 2 };

QImage PictureOfStrip(int stripId, Picture picture) {
  const QImage strip = bitmap::Load(stripId).toImage().convertToFormat(QImage::Format_RGB32);
  const int width = strip.width() / 3;
  return strip.copy(static_cast<int>(picture) * width, 0, width, strip.height());
}

QImage Shown(CHoverButton& button) {
  return button.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

void Enter(QWidget& widget) {
  QEnterEvent enter(QPointF(3, 3), QPointF(3, 3), QPointF(3, 3));
  QApplication::sendEvent(&widget, &enter);
}

void SendMouse(QWidget& widget, QEvent::Type type) {
  const QPointF inside(3, 3);
  QMouseEvent event(type, inside, widget.mapToGlobal(inside), Qt::LeftButton,
                    type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&widget, &event);
}

}  // namespace

class HoverButtonTest : public QObject {
  Q_OBJECT

 private slots:
  void ShowsThePictureOfItsState_data() {
    QTest::addColumn<bool>("hover");
    QTest::addColumn<bool>("pressed");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<int>("picture");
    QTest::newRow("outside") << false << false << true << int(Picture::Normal);
    QTest::newRow("under the mouse") << true << false << true << int(Picture::Hover);
    QTest::newRow("pressed") << false << true << true << int(Picture::Pressed);
    QTest::newRow("pressed wins over hover") << true << true << true << int(Picture::Pressed);
    QTest::newRow("disabled under the mouse") << true << false << false << int(Picture::Normal);
  }
  void ShowsThePictureOfItsState() {
    QFETCH(bool, hover);
    QFETCH(bool, pressed);
    QFETCH(bool, enabled);
    QFETCH(int, picture);
    CHoverButton button;
    QVERIFY(button.LoadStrip(bitmap::kBackupActive));
    button.setFocus();
    if (hover) Enter(button);
    if (pressed) SendMouse(button, QEvent::MouseButtonPress);
    button.setEnabled(enabled);
    QCOMPARE(Shown(button), PictureOfStrip(bitmap::kBackupActive, static_cast<Picture>(picture)));
  }

  void LeavingShowsTheNormalPictureAgain() {
    CHoverButton button;
    button.LoadStrip(bitmap::kCloseActive);
    Enter(button);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&button, &leave);
    QCOMPARE(Shown(button), PictureOfStrip(bitmap::kCloseActive, Picture::Normal));
  }

  void KeepsThePictureSizeWhateverResizesIt_data() {
    QTest::addColumn<int>("strip");
    QTest::addColumn<QSize>("size");
    QTest::newRow("132 backup") << bitmap::kBackupActive << QSize(70, 26);
    QTest::newRow("147 backup, inactive") << bitmap::kBackupInactive << QSize(70, 26);
    QTest::newRow("133 developer blog") << bitmap::kDevBlogActive << QSize(91, 26);
    QTest::newRow("146 developer blog, inactive") << bitmap::kDevBlogInactive << QSize(91, 26);
    QTest::newRow("134 minimise") << bitmap::kMinimizeActive << QSize(15, 15);
    QTest::newRow("145 minimise, inactive") << bitmap::kMinimizeInactive << QSize(15, 15);
    QTest::newRow("135 close") << bitmap::kCloseActive << QSize(15, 15);
    QTest::newRow("144 close, inactive") << bitmap::kCloseInactive << QSize(15, 15);
  }
  void KeepsThePictureSizeWhateverResizesIt() {
    QFETCH(int, strip);
    QFETCH(QSize, size);
    CHoverButton button;
    button.resize(200, 90);
    QVERIFY(button.LoadStrip(strip));
    QCOMPARE(button.size(), size);
    button.resize(200, 90);
    QCOMPARE(button.size(), size);
    button.setGeometry(4, 4, 3, 3);
    QCOMPARE(button.size(), size);
  }

  void AnUnknownStripLeavesTheButtonAsItWas() {
    CHoverButton button;
    button.LoadStrip(bitmap::kCloseActive);
    QVERIFY(!button.LoadStrip(999));
    QCOMPARE(button.StripId(), bitmap::kCloseActive);
    QCOMPARE(button.size(), QSize(15, 15));
  }

  void AQuickDoubleClickGivesTwoClicks() {
    CHoverButton button;
    button.LoadStrip(bitmap::kBackupActive);
    QSignalSpy clicks(&button, &QAbstractButton::clicked);
    // The second press of a quick pair arrives as a double click alone.
    SendMouse(button, QEvent::MouseButtonPress);
    SendMouse(button, QEvent::MouseButtonRelease);
    SendMouse(button, QEvent::MouseButtonDblClick);
    SendMouse(button, QEvent::MouseButtonRelease);
    QCOMPARE(clicks.count(), 2);
  }

  void ShowsTheHandAndItsToolTip() {
    CHoverButton button;
    button.LoadStrip(bitmap::kBackupActive);
    QCOMPARE(button.cursor().shape(), Qt::PointingHandCursor);
    button.SetToolTipText(QStringLiteral("first"), CHoverButton::ToolTipState::Active);
    button.SetToolTipText(QString(), CHoverButton::ToolTipState::Inactive);
    QCOMPARE(button.toolTip(), QStringLiteral("first"));
    button.show();
    QVERIFY(QTest::qWaitForWindowExposed(&button));
    QHelpEvent help(QEvent::ToolTip, QPoint(3, 3), button.mapToGlobal(QPoint(3, 3)));
    QApplication::sendEvent(&button, &help);
    QTRY_COMPARE(QToolTip::text(), QStringLiteral("first"));
    QToolTip::hideText();
  }

  void AnInactiveToolTipStaysHidden() {
    CHoverButton button;
    button.LoadStrip(bitmap::kBackupActive);
    button.SetToolTipText(QStringLiteral("quiet"), CHoverButton::ToolTipState::Inactive);
    button.show();
    QVERIFY(QTest::qWaitForWindowExposed(&button));
    QHelpEvent help(QEvent::ToolTip, QPoint(3, 3), button.mapToGlobal(QPoint(3, 3)));
    QApplication::sendEvent(&button, &help);
    QTest::qWait(50);
    QVERIFY(!QToolTip::isVisible());
  }
};

static RegisterGuiTest<HoverButtonTest> registration;

}  // namespace plimo::test

#include "hover_button_test.moc"
