target_sources(wexbo_core PRIVATE
  album/album_entry.cpp
  album/album_picture_copy.cpp
  album/album_store.cpp)
