# Tests: tessolan_ui_test(<name> <sources>)
