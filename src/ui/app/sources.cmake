target_sources(wexbo_ui PRIVATE
  app/flag_painter.cpp
  app/language_form.cpp
  app/desktop_start.cpp
  app/desktop_windows.cpp
  app/application_start.cpp)
