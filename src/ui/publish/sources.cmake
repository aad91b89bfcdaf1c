target_sources(wexbo_ui PRIVATE
  publish/anweisung_form.cpp
  publish/webbroser_form.cpp)
