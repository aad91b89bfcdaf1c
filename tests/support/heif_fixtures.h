// Test pictures in HEIC and AVIF, written through libheif's encoding API in the test.
#pragma once
