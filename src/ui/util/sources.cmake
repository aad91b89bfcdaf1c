target_sources(wexbo_ui PRIVATE
  util/folder_browser.cpp
  util/gradient_background.cpp
  util/message_box.cpp
  util/program_texts.cpp
  util/shell_open.cpp)
