// The editor window: buttons, grid, placing, removing and clearing blocks, saving and loading.
#include "platform/pictures.h"

#include "editor_run.h"
#include "temp_program_folder.h"

#include <QTest>

namespace {

// An editor on a folder of its own.
struct Editor : TempProgramFolder, EditorRun {
    Editor() : EditorRun(path()) {}
    std::filesystem::path level(const std::string &name) const { return path() / "levels" / name; }
    // "&Ulož" and "&Načti" on a file of the levels folder.
    void save(const std::string &name)
    {
        dialogs.files.push_back(level(name));
        form.Command1_Click();
    }
    void load(const std::string &name, const QByteArray &bytes)
    {
        write("levels/" + name, bytes);
        dialogs.files.push_back(level(name));
        form.Command2_Click();
    }
    // The map's drawing area as the screen shows it.
    QImage map() { return form.Picture1->grab().toImage().convertToFormat(QImage::Format_RGB32).copy(2, 2, 269, 269); }
};

} // namespace

class TestEditor : public QObject
{
    Q_OBJECT

private slots:
    // Caption with its trailing blank, fixed size, buttons of one size centred across their frames.
    void window()
    {
        Editor editor;
        const editor::Form1 &form = editor.form;
        QCOMPARE(form.windowTitle(), QStringLiteral("Tolmar Korvo - editor "));
        QCOMPARE(form.minimumSize(), form.maximumSize());
        const QList<const QPushButton *> buttons{form.Command1, form.Command2, form.Command3, form.Command5, form.Command4};
        QStringList texts;
        for (const QPushButton *button : buttons) {
            texts << button->text();
            const QGroupBox &frame = *(button->parentWidget() == form.Frame2 ? form.Frame2 : form.Frame1);
            const QRect place(button->mapTo(&form, QPoint()), button->size());
            QCOMPARE(button->size(), form.Command1->size());
            QVERIFY2(frame.geometry().contains(place), qPrintable(button->text()));
            QCOMPARE(place.center().x(), frame.geometry().center().x());
        }
        QCOMPARE(texts, (QStringList{"&Ulož", "&Načti", "&Exit", "&Odstraň", "&Smaž vše"}));
    }

    // A block covers its cell and its grid line, which comes back when the block goes.
    void gridUnderBlocks()
    {
        Editor editor;
        const QImage grid = editor.map();
        QCOMPARE((QList<QRgb>{grid.pixel(8, 0), grid.pixel(0, 0)}), (QList<QRgb>{qRgb(128, 0, 0), qRgb(0, 0, 0)}));
        editor.press({12, 12});
        const QImage covered = editor.map();
        QCOMPARE(covered.copy(9, 9, 9, 9), platform::wallPicture());
        QCOMPARE(covered.copy(18, 0, 251, 269), grid.copy(18, 0, 251, 269));
        editor.form.Command5_Click();
        QCOMPARE(editor.map(), grid);
    }

    // Any button and modifiers place a block on the cell below the press; never twice on a shown block.
    void places_data()
    {
        QTest::addColumn<QByteArray>("loaded");
        QTest::addColumn<QList<QPoint>>("presses");
        QTest::addColumn<int>("button");
        QTest::addColumn<QList<QPoint>>("placed");
        QTest::newRow("0,0") << QByteArray() << QList<QPoint>{{0, 0}} << int(Qt::LeftButton) << QList<QPoint>{{0, 0}};
        QTest::newRow("8,8 and 4,7") << QByteArray() << QList<QPoint>{{8, 8}, {4, 7}} << int(Qt::LeftButton) << QList<QPoint>{{0, 0}};
        QTest::newRow("9,17") << QByteArray() << QList<QPoint>{{9, 17}} << int(Qt::LeftButton) << QList<QPoint>{{9, 9}};
        QTest::newRow("268,268") << QByteArray() << QList<QPoint>{{268, 268}} << int(Qt::LeftButton) << QList<QPoint>{{261, 261}};
        QTest::newRow("right button, modifiers") << QByteArray() << QList<QPoint>{{40, 100}} << int(Qt::RightButton) << QList<QPoint>{{36, 99}};
        QTest::newRow("on a loaded block off the grid") << int16s({2, 5, 5}) << QList<QPoint>{{13, 13}, {14, 14}} << int(Qt::LeftButton) << QList<QPoint>{{5, 5}, {9, 9}};
    }
    void places()
    {
        QFETCH(QByteArray, loaded);
        QFETCH(QList<QPoint>, presses);
        QFETCH(int, button);
        Editor editor;
        if (!loaded.isEmpty())
            editor.load("level.lvl", loaded);
        for (QPoint point : presses)
            editor.press(point, Qt::MouseButton(button), button == Qt::RightButton ? Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier : Qt::NoModifier);
        QTEST(editor.blocks(), "placed");
    }

    // "&Odstraň" takes back the newest block; "&Smaž vše" asks: No keeps every block, Yes clears all.
    void removesAndClears()
    {
        Editor editor;
        const QList<QPoint> placed{{0, 0}, {99, 45}, {198, 252}};
        for (QPoint point : placed)
            editor.press(point + QPoint(1, 5));
        for (int left = 2; left >= 0; --left) {
            editor.form.Command5_Click();
            QCOMPARE(editor.blocks(), placed.first(left));
        }
        editor.form.Command5_Click();
        QCOMPARE(editor.form.Image1.size(), 1);
        QVERIFY(editor.dialogs.shown.empty());
        editor.press({5, 3});
        editor.press({30, 30});
        editor.dialogs.answers = {platform::Dialogs::Answer::No, platform::Dialogs::Answer::Yes};
        editor.form.Command4_Click();
        QCOMPARE(editor.blocks(), (QList<QPoint>{{0, 0}, {27, 27}}));
        editor.form.Command4_Click();
        QCOMPARE(editor.blocks(), QList<QPoint>());
        QCOMPARE(editor.dialogs.messages(), QStringList(2, QStringLiteral("Dotaz: OPRAVDU TO CHCEŠ?????" "!!!!!")));
        QCOMPARE(editor.dialogs.shown[0].buttons, platform::Dialogs::Buttons::YesNo);
        editor.press({30, 30});
        QCOMPARE(editor.blocks(), QList<QPoint>{QPoint(27, 27)});
    }

    // Saved in placing order, loaded in file order; both dialogs open in the levels folder.
    void savesAndLoads()
    {
        Editor editor;
        editor.press({18, 9});
        editor.press({0, 0});
        editor.save("level3.lvl");
        QCOMPARE(editor.read("levels/level3.lvl"), QByteArray::fromHex("03000900120000000000"));
        const QByteArray odd = int16s({6, 9, 9, 9, 9, 4, 300, -7, 13, 261, 0});
        editor.load("odd.lvl", odd);
        QCOMPARE(editor.blocks(), (QList<QPoint>{{9, 9}, {9, 9}, {300, 4}, {13, -7}, {0, 261}}));
        editor.save("copy.lvl");
        QCOMPARE(editor.read("levels/copy.lvl"), odd);
        editor.form.Command5_Click();
        QCOMPARE(editor.blocks().size(), 4);
        QCOMPARE(editor.blocks().last(), QPoint(13, -7));
        editor.form.Command1_Click(); // cancelled
        editor.form.Command2_Click();
        QCOMPARE(editor.blocks().size(), 4);
        QVERIFY(editor.dialogs.messages().isEmpty());
        QList<platform::Dialogs::FileMode> modes;
        for (const ScriptedDialogs::Shown &box : editor.dialogs.shown) {
            QCOMPARE(box.folder, editor.path() / "levels");
            modes << box.fileMode;
        }
        using Mode = platform::Dialogs::FileMode;
        QCOMPARE(modes, (QList<Mode>{Mode::Save, Mode::Open, Mode::Save, Mode::Save, Mode::Open}));
    }
};

QTEST_MAIN(TestEditor)
#include "test_editor.moc"
