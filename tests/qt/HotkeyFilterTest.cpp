// placeholder
#include <QtTest>
class HotkeyFilterTest : public QObject { Q_OBJECT };
QTEST_MAIN(HotkeyFilterTest)
#include "HotkeyFilterTest.moc"
