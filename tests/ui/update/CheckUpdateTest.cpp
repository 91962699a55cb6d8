// tests/ui/update/CheckUpdateTest.cpp
