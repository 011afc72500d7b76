#include "widgets/Twin.h"

#include <QTest>

using namespace trelvik;

class TwinTest : public QObject {
    Q_OBJECT

private slots:
    void bothTwinsShowTheBytesThroughTheirCodePage();
    void onlyTheTwinOfTheLanguageIsShown();
};

void TwinTest::bothTwinsShowTheBytesThroughTheirCodePage()
{
    QWidget window;
    TwinField line{new QLineEdit(&window), new QLineEdit(&window)};
    // One byte, two letters: 0xE4 is д in Windows-1251 and ä in Windows-1252.
    line.setBytes(QByteArray(300, '\xE4').toStdString());
    QCOMPARE(line.cyrillic()->text(), QString(300, u'д'));
    QCOMPARE(line.western()->text(), QString(300, u'ä'));
    QCOMPARE(line.western()->cursorPosition(), 0); // the start of a long line stays in view
    QCOMPARE(line.cyrillic()->cursorPosition(), 0);

    TwinPane pane{new QPlainTextEdit(&window), new QPlainTextEdit(&window)};
    pane.setBytes("\xC4\xEE\xEC\r\n");
    QCOMPARE(pane.cyrillic()->toPlainText(), u"Дом\n"_qs);
    QCOMPARE(pane.western()->toPlainText(), u"Äîì\n"_qs);
}

void TwinTest::onlyTheTwinOfTheLanguageIsShown()
{
    QWidget window;
    TwinField field{new QLineEdit(&window), new QLineEdit(&window)};
    window.show();
    for (const bool cyrillic : {true, false, true}) {
        field.showCyrillic(cyrillic);
        QCOMPARE(field.cyrillic()->isVisible(), cyrillic);
        QCOMPARE(field.western()->isVisible(), !cyrillic);
        QCOMPARE(field.twin(cyrillic), cyrillic ? field.cyrillic() : field.western());
    }
}

QTEST_MAIN(TwinTest)
#include "TwinTest.moc"
