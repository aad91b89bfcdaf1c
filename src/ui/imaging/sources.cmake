target_sources(wexbo_ui PRIVATE
  imaging/lead_image_view.cpp)
