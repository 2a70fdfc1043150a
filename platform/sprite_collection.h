// A growable sequence of 9 x 9 sprites that share one picture. Element 0 is
// the collection's original; new elements are hidden copies of it, created at
// the end, and only runs up to the end are destroyed.
#pragma once

#include <cstdint>
#include <vector>

namespace platform {

struct Sprite {
    std::int16_t left = 0;
    std::int16_t top = 0;
    bool visible = false;
};

class SpriteCollection;

// Told of every change, so that a view can redraw just the cells involved,
// and of the collection's end, so that it never refers to a collection that
// is gone.
class SpriteObserver
{
public:
    virtual void spriteChanged(const SpriteCollection &sprites, const Sprite &before, const Sprite &after) = 0;
    virtual void collectionDestroyed(const SpriteCollection &sprites) = 0;

protected:
    ~SpriteObserver() = default;
};

class SpriteCollection
{
public:
    explicit SpriteCollection(Sprite original);
    ~SpriteCollection();
    SpriteCollection(const SpriteCollection &) = delete;
    SpriteCollection &operator=(const SpriteCollection &) = delete;

    int size() const { return static_cast<int>(sprites.size()); }
    const Sprite &operator[](int index) const { return sprites[static_cast<std::size_t>(index)]; }
    const std::vector<Sprite> &all() const { return sprites; }

    std::int16_t left(int index) const { return (*this)[index].left; }
    std::int16_t top(int index) const { return (*this)[index].top; }
    bool visible(int index) const { return (*this)[index].visible; }

    void setLeft(int index, std::int16_t left);
    void setTop(int index, std::int16_t top);
    void setVisible(int index, bool visible);

    // Appends a hidden copy of element 0 and returns its index.
    int create();
    // Appends an element at the given place, shown, and returns its index.
    int add(std::int16_t top, std::int16_t left);
    // Destroys the elements from index to the end; element 0 always stays.
    void destroyFrom(int index);

    // One observer at a time; nullptr for none.
    void setObserver(SpriteObserver *observer) { this->observer = observer; }

private:
    Sprite &at(int index) { return sprites[static_cast<std::size_t>(index)]; }
    template<typename Value>
    void set(int index, Value Sprite::*field, Value value);
    void changed(const Sprite &before, const Sprite &after);

    std::vector<Sprite> sprites;
    SpriteObserver *observer = nullptr;
};

} // namespace platform
