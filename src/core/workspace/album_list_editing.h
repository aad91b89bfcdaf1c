// Rules of the album list's selection after an edit.
#pragma once

#include <cstddef>

namespace wexbo {

// The entry SelectAlbumEntry selects: `index`, or the last entry for -1 or an index past the end;
// -1 when the list is empty.
long SelectableIndex(long index, std::size_t count);

}  // namespace wexbo
