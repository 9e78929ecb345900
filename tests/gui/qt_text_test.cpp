#include "app/qt_text.hpp"

#include <QTest>

#include "gui/gui_test.hpp"
#include "platform/codepage.hpp"

namespace plimo::test {

class QtTextTest : public QObject {
  Q_OBJECT

 private slots:
  void TypedTextBecomesCodePageBytes_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("utf8OfText");
    QTest::newRow("Korean and ASCII") << QString::fromUtf8("홍길동 abc") << QByteArray("홍길동 abc");
    QTest::newRow("empty") << QString() << QByteArray();
    QTest::newRow("characters the code page lacks become '?'")
        << QString::fromUtf8("a😀bก") << QByteArray("a?b?");
  }
  void TypedTextBecomesCodePageBytes() {
    QFETCH(QString, typed);
    QFETCH(QByteArray, utf8OfText);
    QCOMPARE(ToText(typed), Cp949(utf8OfText.constData()));
  }

  void PageBytesShowAsText() {
    QCOMPARE(ToQString(Cp949("백업완료 (C:\\블로그백업)")), QString::fromUtf8("백업완료 (C:\\블로그백업)"));
    QCOMPARE(ToQString(Text("a\xff")), QString::fromUtf8("a\uFFFD"));
  }
};

static RegisterGuiTest<QtTextTest> registration;

}  // namespace plimo::test

#include "qt_text_test.moc"
