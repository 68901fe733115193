// placeholder
#include <QtTest>
class QtPlatformTest : public QObject { Q_OBJECT };
QTEST_MAIN(QtPlatformTest)
#include "QtPlatformTest.moc"
