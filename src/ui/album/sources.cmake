target_sources(wexbo_ui PRIVATE
  album/open_form.cpp
  album/new_form.cpp)
