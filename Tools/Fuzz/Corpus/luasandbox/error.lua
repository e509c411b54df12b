error("at load")
