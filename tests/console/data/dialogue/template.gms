* a model template for the dialogue tests
