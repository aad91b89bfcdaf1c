target_sources(wexbo_core PRIVATE
  workspace/source_listing.cpp
  workspace/picture_transform.cpp
  workspace/album_list_editing.cpp)
