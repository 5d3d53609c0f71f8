#include "WindowFixture.h"

#include <QTest>

class PickingTest : public QObject {
    Q_OBJECT
};

QTEST_MAIN(PickingTest)
#include "PickingTest.moc"
