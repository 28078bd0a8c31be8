#pragma once
// RAII holder for GDI objects (fonts, bitmaps, brushes).

#include <windows.h>

#include "common/win32/unique_resource.h"

namespace zelko {

template <class Object>
struct GdiObjectTraits {
    using Handle = Object;
    static Object none() { return nullptr; }
    static bool isOpen(Object object) { return object != nullptr; }
    static void close(Object object) { DeleteObject(object); }
};

template <class Object>
using GdiObject = UniqueResource<GdiObjectTraits<Object>>;

}  // namespace zelko
