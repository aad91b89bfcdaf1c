target_sources(wexbo_core PRIVATE
  publish/destination.cpp
  publish/remote_folder.cpp
  publish/folder_remote.cpp
  publish/sftp_remote.cpp
  publish/ftp_remote.cpp
  publish/upload_record.cpp
  publish/upload_plan.cpp
  publish/uploader.cpp
  publish/upload_settings.cpp
  publish/password_keyring.cpp)
