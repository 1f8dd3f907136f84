int framework_probe() { return 1; }
