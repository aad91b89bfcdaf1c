target_sources(wexbo_ui PRIVATE
  util/message_box.cpp)
