// The editor on a screen of device pixel ratio 2: its look, placing blocks with the mouse,
// taking them back, clearing them, and saving and loading level files, good and bad.
#include "platform/pictures.h"

#include "editor_run.h"
#include "file_fault.h"
#include "reference_picture.h"
#include "row_compare.h"

#include <QTest>
#include <QTextLayout>

namespace {

// The editor's message on a file it could not read or write.
QString fileMessage(const std::filesystem::path &file, const char *verb)
{
    return QStringLiteral("Tolmar Korvo - editor : Soubor %1 nelze %2.").arg(QString::fromStdString(file.string()), verb);
}

} // namespace

class TestEditor : public QObject
{
    Q_OBJECT

private slots:
    void init() { QTest::failOnWarning(QRegularExpression(QStringLiteral(".*"))); }

    // A press anywhere in a cell, to the half device pixel, with any button and modifiers, places
    // its block there, wherever the window stands; none outside the map or on a shown block does.
    void places()
    {
        const struct {
            const char *name; QList<QPointF> presses; QString placed;
            QByteArray loaded = {}; Qt::MouseButton button = Qt::LeftButton; Qt::KeyboardModifiers modifiers = {};
        } rows[] = {
            {"a cell's last half pixel, then its first on the block", {{8.5, 8.5}, {0, 0}}, "0,0"},
            {"the next cell's first pixel", {{9, 8.5}}, "9,0"},
            {"the map's last half pixel", {{268.5, 268.5}}, "261,261"},
            {"around the map", {{269, 100}, {100, 269}, {-0.5, 100}, {100, -0.5}}, ""},
            {"right button, Shift, Ctrl and Alt", {{40, 100}}, "36,99", {}, Qt::RightButton,
             Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier},
            {"on a loaded block off the grid", {{13.5, 13.5}, {14, 14}}, "5,5 9,9", int16s({2, 5, 5})},
        };
        for (const auto &row : rows) {
            for (QPoint windowAt : {QPoint(40, 40), QPoint(41, 43)}) {
                EditorRun editor;
                editor.form.move(windowAt);
                editor.write("levels/level.lvl", row.loaded);
                editor.load("level.lvl");
                for (QPointF point : row.presses)
                    editor.press(point, row.button, row.modifiers);
                ROW_COMPARE(row.name, editor.blocks(), row.placed);
            }
        }
    }

    // "&Odstraň" takes back the newest block, and on an empty map nothing: the next press is
    // block 1 again. "&Smaž vše" asks each time: No keeps every block, Yes clears them all.
    void removesAndClears()
    {
        EditorRun editor;
        for (QPointF point : {QPointF(1, 5), QPointF(100, 50), QPointF(199, 257)})
            editor.press(point);
        for (const char *left : {"0,0 99,45", "0,0", "", ""}) {
            editor.removeNewest();
            QCOMPARE(editor.blocks(), left);
        }
        editor.press({5, 3});
        editor.press({30, 30});
        editor.dialogs.answers = {platform::Dialogs::Answer::No, platform::Dialogs::Answer::Yes};
        editor.clearAll();
        QCOMPARE(editor.blocks(), "0,0 27,27");
        editor.clearAll();
        QCOMPARE(editor.blocks(), "");
        editor.press({30, 30});
        QCOMPARE(editor.blocks(), "27,27");
        QCOMPARE(editor.dialogs.messages(), QStringList(2, QStringLiteral("Dotaz: OPRAVDU TO CHCEŠ?????" "!!!!!")));
        QCOMPARE(editor.dialogs.shown[0].buttons, platform::Dialogs::Buttons::YesNo);
    }

    // Blocks are saved in placing order, top before left, and loaded in file order as they stand.
    // Both dialogs open in the levels folder, and a cancelled one changes nothing.
    void savesAndLoads()
    {
        EditorRun editor;
        editor.press({18, 9});
        editor.press({0, 0});
        editor.save("level3.lvl");
        QCOMPARE(editor.read("levels/level3.lvl"), QByteArray::fromHex("03000900120000000000"));
        const QByteArray odd = int16s({6, 9, 9, 9, 9, 4, 300, -7, 13, 261, 0});
        editor.write("levels/odd.lvl", odd);
        editor.load("odd.lvl");
        QCOMPARE(editor.blocks(), "9,9 9,9 300,4 13,-7 0,261");
        editor.save("copy.lvl");
        QCOMPARE(editor.read("levels/copy.lvl"), odd);
        for (int k = 0; k < 4; ++k)
            editor.removeNewest();
        editor.save();
        editor.load();
        QCOMPARE(editor.blocks(), "9,9");
        QVERIFY(editor.dialogs.messages().isEmpty());
        for (const ScriptedDialogs::Shown &box : editor.dialogs.shown)
            QCOMPARE(box.folder, editor.levels);
        QCOMPARE(editor.dialogs.shown.front().fileMode, platform::Dialogs::FileMode::Save);
        QCOMPARE(editor.dialogs.shown.back().fileMode, platform::Dialogs::FileMode::Open);
    }

    // A bad level file loads as the blocks it holds, up to the 16-bit count, saves and loads back
    // alike, and stays as it was; one that cannot be read is reported and the map kept.
    void badLevelFiles()
    {
        const struct {
            const char *name;
            QByteArray contents;
            QString blocks; // after a press at 18,9, the load and a press at 0,0
        } rows[] = {
            {"count -32768 before a record", int16s({-32768, 135, 135}), "0,0"},
            {"32766 blocks on one cell, and none more", int16s({32767}) + int16s({135, 135}).repeated(32766),
             QStringList(32766, "135,135").join(' ')},
            {"blocks far off the map", int16s({3, -32768, 32767, 32767, -32768}), "32767,-32768 -32768,32767 0,0"},
            {"a folder", "<folder>", "18,9 0,0"},
            {"a FIFO", "<fifo>", "18,9 0,0"},
        };
        const Deadline deadline(60);
        for (const auto &row : rows) {
            EditorRun editor;
            const auto file = editor.levels / "level0.lvl";
            editor.put(file, row.contents);
            const auto before = snapshot(file);
            editor.press({18, 9});
            editor.load(file);
            editor.press({0, 0});
            editor.save("copy.lvl");
            ROW_COMPARE(row.name, editor.blocks(), row.blocks);
            ROW_COMPARE(row.name, editor.dialogs.messages(),
                        row.contents.startsWith('<') ? QStringList{fileMessage(file, "načíst")} : QStringList());
            editor.load("copy.lvl");
            ROW_COMPARE(row.name, editor.blocks(), row.blocks);
            ROW_COMPARE(row.name, snapshot(file), before);
        }
    }

    // A save that the file system refuses is reported with the file's name, and the map stays.
    void cannotSave()
    {
        EditorRun editor;
        editor.put(editor.levels / "level0.lvl", "<folder>");
        editor.press({18, 9});
        editor.save("level0.lvl");
        QCOMPARE(editor.blocks(), "18,9");
        QCOMPARE(editor.dialogs.messages(), QStringList{fileMessage(editor.levels / "level0.lvl", "uložit")});
    }

    // Every caption stands in its button with room on both sides, and the help text breaks at blanks
    // only, each line inside the label's margins.
    void textsFit()
    {
        EditorRun editor;
        for (const QPushButton *button : editor.form.findChildren<QPushButton *>()) {
            const QString caption = QString(button->text()).remove('&');
            QVERIFY2(button->fontMetrics().horizontalAdvance(caption) + 2 * 4 <= button->width(), qPrintable(caption));
        }
        const QLabel &help = editor.help();
        QTextLayout layout(help.text(), help.font());
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(help.contentsRect().width());
            const QString text = help.text().mid(line.textStart(), line.textLength());
            const bool last = line.textStart() + line.textLength() == help.text().size();
            QVERIFY2(line.naturalTextWidth() <= line.width(), qPrintable(text));
            QVERIFY2(text.endsWith(' ') || last, qPrintable(text));
        }
        layout.endLayout();
    }

    // The caption with its trailing blank, the program's icon, each control in its place, the help
    // text wrapped, the maker in large type, the grid dark red and every pixel a sharp 2 x 2 square;
    // the first cell's block covers its grid lines, and the last cell's block is cut by the border.
    // Taken back, the blocks leave the grid as it was. Last, so that the map's image is made in
    // memory that earlier windows used: it must be painted black, not left as it was.
    void looks()
    {
        EditorRun editor;
        QCOMPARE(editor.form.windowTitle(), QStringLiteral("Tolmar Korvo - editor "));
        QCOMPARE(editor.form.windowIcon().pixmap(32).toImage(), platform::programIcon().pixmap(32).toImage());
        const QImage empty = editor.form.grab().toImage();
        editor.press({3, 5});
        editor.press({268, 268});
        QVERIFY(looksAsReference(editor.form, QStringLiteral("editor_window")));
        editor.removeNewest();
        editor.removeNewest();
        QCOMPARE(editor.form.grab().toImage(), empty);
    }
};

QTEST_MAIN(TestEditor)
#include "test_editor.moc"
