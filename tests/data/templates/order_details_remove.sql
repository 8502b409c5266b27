IF OBJECT_ID('dbo.Order_DetailsTallixInsert') IS NOT NULL
BEGIN
   DROP TRIGGER dbo.Order_DetailsTallixInsert
   IF OBJECT_ID('dbo.Order_DetailsTallixInsert') IS NOT NULL
      PRINT '<< FAILED DROPPING TRIGGER dbo.Order_DetailsTallixInsert >>>'
   ELSE
      PRINT '<<< DROPPED TRIGGER dbo.Order_DetailsTallixInsert >>>'
END
GO

IF OBJECT_ID('dbo.Order_DetailsTallixUpdate') IS NOT NULL
BEGIN
   DROP TRIGGER dbo.Order_DetailsTallixUpdate
   IF OBJECT_ID('dbo.Order_DetailsTallixUpdate') IS NOT NULL
      PRINT '<< FAILED DROPPING TRIGGER dbo.Order_DetailsTallixUpdate >>>'
   ELSE
      PRINT '<<< DROPPED TRIGGER dbo.Order_DetailsTallixUpdate >>>'
END
GO

IF OBJECT_ID('dbo.Order_DetailsTallixDelete') IS NOT NULL
BEGIN
   DROP TRIGGER dbo.Order_DetailsTallixDelete
   IF OBJECT_ID('dbo.Order_DetailsTallixDelete') IS NOT NULL
      PRINT '<< FAILED DROPPING TRIGGER dbo.Order_DetailsTallixDelete >>>'
   ELSE
      PRINT '<<< DROPPED TRIGGER dbo.Order_DetailsTallixDelete >>>'
END
GO

