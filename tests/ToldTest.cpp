#include "WindowFixture.h"

#include <QAccessible>
#include <QMetaEnum>
#include <QTest>

#include <functional>

using namespace tarnelby;
using namespace tarnelby::testing;

namespace {

// What the window tells assistive technology of its own parts (those no
// widget stands for: a table's rows, where the focus moved within a widget),
// as "<event> <role>: <name>", and what it announces, as "Announced: <text>"
// whichever way this Qt announces.
QStringList told;

void tell(QAccessibleEvent* event)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    if (event->type() == QAccessible::Announcement) {
        told << "Announced: " + static_cast<QAccessibleAnnouncementEvent*>(event)->message();
        return;
    }
#endif
    QAccessibleInterface* part = event->accessibleInterface();
    if (part == nullptr || part->object() != nullptr)
        return;
    if (event->type() == QAccessible::ObjectShow && part->role() == QAccessible::Notification) {
        told << "Announced: " + part->text(QAccessible::Name);
        return;
    }
    told << QString("%1 %2: %3")
                .arg(QMetaEnum::fromType<QAccessible::Event>().valueToKey(event->type()),
                     QMetaEnum::fromType<QAccessible::Role>().valueToKey(part->role()),
                     part->text(QAccessible::Name));
}

} // namespace

// Run where assistive technology listens (Qt tells it nothing otherwise).
class ToldTest : public QObject {
    Q_OBJECT

private slots:
    // Each change a sighted user sees is told when it happens, as an
    // announcement that a screen reader speaks wherever the focus is; a row
    // that changes tells its new name, for a screen reader's review of the table.
    void eachChangeIsToldAsItHappens()
    {
        WindowFixture w(WindowFixture::Panels::ReadMeClosed);
        // The bridge turns active once it has reached the AT-SPI bus.
        QTRY_VERIFY(QAccessible::isActive());
        QAccessible::installUpdateHandler(&tell);
        const auto toldBy = [](const std::function<void()>& action) {
            told.clear();
            action();
            return told;
        };
        const QString row1 = "Point 1: 6000, 1500";

        QCOMPARE(toldBy([&] { w.clickAt({400, 100}); }),
                 (QStringList{"NameChanged ListItem: " + row1, "Announced: " + row1}));
        QCOMPARE(toldBy([&] { w.beginOrStop(); }),
                 QStringList{"Announced: Running; the button reads Stop."});
        w.tick(17);
        QCOMPARE(toldBy([&] { w.beginOrStop(); }),
                 QStringList{"Announced: Stopped. Number of dots: 17"});
        QStringList cleared;
        for (int row = 1; row <= 10; ++row)
            cleared << QString("NameChanged ListItem: Point %1: free").arg(row);
        cleared << "Announced: Cleared: no points, no drawing. Number of dots: 0";
        QCOMPARE(toldBy([&] { w.clear(); }), cleared);
        QAccessible::installUpdateHandler(nullptr);
    }
};

QTEST_MAIN(ToldTest)
#include "ToldTest.moc"
