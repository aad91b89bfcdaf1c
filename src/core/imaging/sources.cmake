target_sources(wexbo_core PRIVATE
  imaging/rgb_buffer.cpp
  imaging/lead_error.cpp
  imaging/jpeg_error_trap.cpp
  imaging/jpeg_decoder.cpp
  imaging/jpeg_encoder.cpp
  imaging/exif_orientation.cpp
  imaging/pixel_transforms.cpp
  imaging/resample.cpp
  imaging/shape_frame.cpp
  imaging/lead_image.cpp
  imaging/thumbnail_maker.cpp)
