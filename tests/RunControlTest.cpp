#include "WindowFixture.h"

#include <QTest>

class RunControlTest : public QObject {
    Q_OBJECT
};

QTEST_MAIN(RunControlTest)
#include "RunControlTest.moc"
