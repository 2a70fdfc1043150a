// Sprite collections.
#include "platform/sprite_collection.h"

#include <algorithm>

namespace platform {

SpriteCollection::SpriteCollection(Sprite original)
    : sprites{original}
{
}

void SpriteCollection::setLeft(int index, std::int16_t left)
{
    Sprite &sprite = at(index);
    if (sprite.left == left)
        return;
    const Sprite before = sprite;
    sprite.left = left;
    changed(before, sprite);
}

void SpriteCollection::setTop(int index, std::int16_t top)
{
    Sprite &sprite = at(index);
    if (sprite.top == top)
        return;
    const Sprite before = sprite;
    sprite.top = top;
    changed(before, sprite);
}

void SpriteCollection::setVisible(int index, bool visible)
{
    Sprite &sprite = at(index);
    if (sprite.visible == visible)
        return;
    const Sprite before = sprite;
    sprite.visible = visible;
    changed(before, sprite);
}

int SpriteCollection::create()
{
    Sprite copy = sprites.front();
    copy.visible = false;
    sprites.push_back(copy);
    return size() - 1;
}

void SpriteCollection::destroyFrom(int index)
{
    index = std::max(index, 1);
    for (int i = size() - 1; i >= index; --i) {
        const Sprite gone = sprites.back();
        sprites.pop_back();
        if (gone.visible)
            changed(gone, Sprite{gone.left, gone.top, false});
    }
}

void SpriteCollection::changed(const Sprite &before, const Sprite &after)
{
    if (observer && (before.visible || after.visible))
        observer->spriteChanged(*this, before, after);
}

} // namespace platform
