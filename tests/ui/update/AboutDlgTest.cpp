// tests/ui/update/AboutDlgTest.cpp
