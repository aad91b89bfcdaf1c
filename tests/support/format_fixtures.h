// Test pictures in PNG, WebP and TIFF, written by each format's own library in the test.
#pragma once
