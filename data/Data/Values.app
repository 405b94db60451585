"ID|Name|ParentID|Spare|Image"
