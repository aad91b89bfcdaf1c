target_sources(wexbo_core PRIVATE
  gallery/gallery_settings.cpp
  gallery/make.cpp
  gallery/page_lines.cpp
  gallery/page_picks.cpp
  gallery/qvb_colors.cpp
  gallery/qvb_convert.cpp
  gallery/stylesheet.cpp)
