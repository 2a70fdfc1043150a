// Sprite collections: creation and destruction at the end, and the
// notifications a view relies on to redraw.
#include "platform/sprite_collection.h"

#include <QTest>

#include <vector>

using platform::Sprite;
using platform::SpriteCollection;

namespace {

// Records each change it is told of as (before, after).
class RecordingObserver : public platform::SpriteObserver
{
public:
    struct Change {
        Sprite before;
        Sprite after;
    };
    std::vector<Change> changes;

    void spriteChanged(const SpriteCollection &, const Sprite &before, const Sprite &after) override
    {
        changes.push_back({before, after});
    }
};

bool same(const Sprite &a, const Sprite &b)
{
    return a.left == b.left && a.top == b.top && a.visible == b.visible;
}

} // namespace

class TestSpriteCollection : public QObject
{
    Q_OBJECT

private slots:
    void createsHiddenCopiesOfElementZero();
    void destroysOnlyFromIndexToEnd_data();
    void destroysOnlyFromIndexToEnd();
    void notifiesOnlyVisibleChanges();
    void notifiesDestroyedVisibleSprites();
};

// A new sprite is hidden at element 0's current position, at the end.
void TestSpriteCollection::createsHiddenCopiesOfElementZero()
{
    SpriteCollection snake({261, 261, true});
    QCOMPARE(snake.create(), 1);
    snake.setLeft(0, 90);
    snake.setTop(0, 45);
    QCOMPARE(snake.create(), 2);
    QCOMPARE(snake.size(), 3);
    QVERIFY(same(snake[1], {261, 261, false}));
    QVERIFY(same(snake[2], {90, 45, false}));
    QVERIFY(same(snake[0], {90, 45, true}));

    SpriteCollection food({224, 120, false});
    QCOMPARE(food.create(), 1);
    QVERIFY(same(food[1], {224, 120, false}));
}

void TestSpriteCollection::destroysOnlyFromIndexToEnd_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("size");
    QTest::newRow("from 3") << 3 << 3;
    QTest::newRow("from 1") << 1 << 1;
    QTest::newRow("from 0 keeps element 0") << 0 << 1;
    QTest::newRow("negative keeps element 0") << -4 << 1;
    QTest::newRow("from the size") << 5 << 5;
    QTest::newRow("beyond the size") << 9 << 5;
}

// Destroying removes the run up to the end and never element 0.
void TestSpriteCollection::destroysOnlyFromIndexToEnd()
{
    QFETCH(int, from);
    QFETCH(int, size);
    SpriteCollection walls({112, 104, false});
    for (int i = 1; i < 5; ++i)
        walls.setLeft(walls.create(), std::int16_t(9 * i));
    walls.destroyFrom(from);
    QCOMPARE(walls.size(), size);
    QVERIFY(same(walls[0], {112, 104, false}));
    for (int i = 1; i < size; ++i)
        QCOMPARE(walls.left(i), 9 * i);
}

// Changes of hidden sprites and settings to the same value are not told.
void TestSpriteCollection::notifiesOnlyVisibleChanges()
{
    SpriteCollection food({224, 120, false});
    RecordingObserver observer;
    food.setObserver(&observer);
    const int item = food.create();
    food.setLeft(item, 9);
    food.setTop(item, 18);
    food.setVisible(item, false);
    QCOMPARE(observer.changes.size(), 0u);

    food.setVisible(item, true);
    food.setLeft(item, 9);
    food.setTop(item, 27);
    food.setVisible(item, false);
    QCOMPARE(observer.changes.size(), 3u);
    QVERIFY(same(observer.changes[0].before, {9, 18, false}));
    QVERIFY(same(observer.changes[0].after, {9, 18, true}));
    QVERIFY(same(observer.changes[1].before, {9, 18, true}));
    QVERIFY(same(observer.changes[1].after, {9, 27, true}));
    QVERIFY(same(observer.changes[2].after, {9, 27, false}));
}

// A visible sprite that is destroyed is told as hidden; a hidden one not at all.
void TestSpriteCollection::notifiesDestroyedVisibleSprites()
{
    SpriteCollection snake({261, 261, true});
    RecordingObserver observer;
    snake.setObserver(&observer);
    snake.create();
    snake.setVisible(snake.create(), true);
    observer.changes.clear();
    snake.destroyFrom(1);
    QCOMPARE(observer.changes.size(), 1u);
    QVERIFY(same(observer.changes[0].before, {261, 261, true}));
    QVERIFY(same(observer.changes[0].after, {261, 261, false}));
}

QTEST_MAIN(TestSpriteCollection)
#include "test_sprite_collection.moc"
