target_sources(wexbo_core PRIVATE
  gallery/qvb_convert.cpp)
