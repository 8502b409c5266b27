
-- Order DetailsTallixUpdate
-- Tallix Generated Code  [2.0.9]
-- Generated on 2026-03-14 09:26:53
-- ----------------------------------

