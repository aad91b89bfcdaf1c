target_sources(wexbo_ui PRIVATE
  gallery/butto_webbroser_form.cpp
  gallery/generator_start.cpp
  gallery/html_form.cpp
  gallery/html_form_run.cpp)
