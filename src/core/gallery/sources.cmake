target_sources(wexbo_core PRIVATE
  gallery/button_sets.cpp
  gallery/decode_budget.cpp
  gallery/detail_page.cpp
  gallery/gallery_names.cpp
  gallery/gallery_publish.cpp
  gallery/gallery_settings.cpp
  gallery/gallery_source.cpp
  gallery/generation_run.cpp
  gallery/make.cpp
  gallery/overview_page.cpp
  gallery/page_lines.cpp
  gallery/page_picks.cpp
  gallery/qvb_colors.cpp
  gallery/qvb_convert.cpp
  gallery/slideshow_page.cpp
  gallery/stylesheet.cpp
  gallery/web_pictures.cpp)
