// The editor's window.
#include "bench/editor_scene.h"

namespace bench {

EditorScene::EditorScene(const std::vector<levelfile::Block> &blocks)
    : blockCount(blocks.size())
{
    dialogs.levelFile = folder.path() / "levels" / "map.lvl";
    levelfile::writeLevel(dialogs.levelFile, blocks);
    load();
}

void EditorScene::load()
{
    form.Command2_Click();
    Canvas::takeChanges(form.Picture1);
}

std::string EditorScene::fault() const
{
    if (static_cast<std::size_t>(form.Image1.size()) != blockCount + 1)
        return "the map does not hold the file's blocks";
    return {};
}

} // namespace bench
