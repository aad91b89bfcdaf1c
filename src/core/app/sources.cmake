target_sources(wexbo_core PRIVATE
  app/program_identity.cpp
  app/language.cpp
  app/language_table.cpp
  app/program_settings.cpp
  app/startup.cpp
  app/program_folders.cpp
  app/language_choice.cpp)
