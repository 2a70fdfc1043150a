// Sprite collections.
#include "platform/sprite_collection.h"

#include <algorithm>

namespace platform {

SpriteCollection::SpriteCollection(Sprite original)
    : sprites{original}
{
}

SpriteCollection::~SpriteCollection()
{
    if (observer)
        observer->collectionDestroyed(*this);
}

void SpriteCollection::setLeft(int index, std::int16_t left)
{
    set(index, &Sprite::left, left);
}

void SpriteCollection::setTop(int index, std::int16_t top)
{
    set(index, &Sprite::top, top);
}

void SpriteCollection::setVisible(int index, bool visible)
{
    set(index, &Sprite::visible, visible);
}

template<typename Value>
void SpriteCollection::set(int index, Value Sprite::*field, Value value)
{
    Sprite &sprite = at(index);
    if (sprite.*field == value)
        return;
    const Sprite before = sprite;
    sprite.*field = value;
    changed(before, sprite);
}

int SpriteCollection::create()
{
    Sprite copy = sprites.front();
    copy.visible = false;
    sprites.push_back(copy);
    return size() - 1;
}

int SpriteCollection::add(std::int16_t top, std::int16_t left)
{
    const int index = create();
    setTop(index, top);
    setLeft(index, left);
    setVisible(index, true);
    return index;
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
