target_sources(wexbo_ui PRIVATE
  workspace/album_list_model.cpp
  workspace/entry_delegate.cpp
  workspace/list_roles.cpp
  workspace/preview_widget.cpp
  workspace/thumbnail_lists.cpp
  workspace/about_form.cpp
  workspace/main_form.cpp
  workspace/main_form_albums.cpp
  workspace/main_form_build.cpp
  workspace/main_form_lists.cpp
  workspace/main_form_transforms.cpp)
