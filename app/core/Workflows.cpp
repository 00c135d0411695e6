// The device workflows shared by the window and vqtool.
