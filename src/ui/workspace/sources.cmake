target_sources(wexbo_ui PRIVATE
  workspace/main_form.cpp)
