#include "workspace/album_list_editing.h"

namespace wexbo {

long SelectableIndex(long index, std::size_t count) {
    if (count == 0) return -1;
    if (index < 0 || static_cast<std::size_t>(index) >= count) return static_cast<long>(count) - 1;
    return index;
}

}  // namespace wexbo
