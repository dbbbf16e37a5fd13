// Text spectrum files.
