#include "framework/dialogs/shape_list.h"

#include <algorithm>

namespace {

std::vector<TShape*> liveShapes;
std::vector<TShape*> modelessShapes;

void Remove(std::vector<TShape*>& list, TShape* shape)
{
    list.erase(std::remove(list.begin(), list.end(), shape), list.end());
}

}  // namespace

void RegisterLiveShape(TShape* shape)
{
    liveShapes.push_back(shape);
}

void RegisterModelessShape(TShape* shape)
{
    if (std::find(modelessShapes.begin(), modelessShapes.end(), shape) == modelessShapes.end())
        modelessShapes.push_back(shape);
}

void UnregisterShape(TShape* shape)
{
    Remove(liveShapes, shape);
    Remove(modelessShapes, shape);
}

std::vector<TShape*>& LiveShapes()
{
    return liveShapes;
}

std::vector<TShape*>& ModelessShapes()
{
    return modelessShapes;
}
