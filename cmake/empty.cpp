// Placeholder so that a layer without sources still builds.
