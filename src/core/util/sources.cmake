target_sources(wexbo_core PRIVATE
  util/strings.cpp
  util/content_digest.cpp
  util/system_memory.cpp
  util/text_encoding.cpp
  util/files.cpp
  util/windows_info.cpp
  util/ini_file.cpp
  util/parallel.cpp
  util/private_folder.cpp
  util/web_names.cpp)
